#include "access/caller_tokens.hpp"

#include <gtest/gtest.h>

#include "access/sha256.hpp"

namespace tovprintd {
namespace {

CallerConfig caller(const std::string& name, const std::string& token, CallerRole role) {
    return CallerConfig{name, sha256(token), role};
}

TEST(CallerTokens, FindsTheCallerOfATokenByItsDigestOnly) {
    const CallerTokens tokens({caller("caixa-1", "s3cret-one", CallerRole::Till),
                               caller("gerente", "s3cret-two", CallerRole::Manager)});
    ASSERT_TRUE(tokens.caller_of("s3cret-two"));
    EXPECT_EQ(tokens.caller_of("s3cret-two")->name, "gerente");
    EXPECT_EQ(tokens.caller_of("s3cret-one")->role, CallerRole::Till);
    EXPECT_FALSE(tokens.caller_of("s3cret-on"));
    EXPECT_FALSE(tokens.caller_of(""));
    // The digest itself is no token.
    EXPECT_FALSE(tokens.caller_of(hex_text(sha256("s3cret-one"))));
}

TEST(CallerTokens, ReadsBearerTokensOnly) {
    EXPECT_EQ(bearer_token("Bearer abc"), "abc");
    EXPECT_EQ(bearer_token("bearer   abc  "), "abc");
    EXPECT_FALSE(bearer_token("Basic YWxhZGRpbjpvcGVu"));
    EXPECT_FALSE(bearer_token("Bearer "));
    EXPECT_FALSE(bearer_token("Bearer"));
    EXPECT_FALSE(bearer_token(""));
}

TEST(Sha256, IsTheStandardDigest) {
    EXPECT_EQ(hex_text(sha256("abc")),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
}  // namespace tovprintd
