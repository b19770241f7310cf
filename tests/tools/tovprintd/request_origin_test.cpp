#include "access/request_origin.hpp"

#include <gtest/gtest.h>

namespace tovprintd {
namespace {

HttpRequest delete_request(std::optional<std::string> origin,
                           std::optional<std::string> sec_fetch_site = std::nullopt,
                           std::optional<std::string> host = "127.0.0.1:8631") {
    HttpRequest request;
    request.method = "DELETE";
    request.path = "/v1/jobs/7";
    request.host = std::move(host);
    request.origin = std::move(origin);
    request.sec_fetch_site = std::move(sec_fetch_site);
    return request;
}

TEST(RequestOrigin, TakesTheServicesOwnPageAndProgramsThatSendNoOrigin) {
    EXPECT_FALSE(cross_origin_refusal(delete_request(std::nullopt)));
    EXPECT_FALSE(cross_origin_refusal(delete_request("http://127.0.0.1:8631", "same-origin")));
    EXPECT_FALSE(cross_origin_refusal(delete_request("https://127.0.0.1:8631")));
    // Host names are not case-sensitive; a user typing the address sends "none".
    EXPECT_FALSE(cross_origin_refusal(
        delete_request("http://Caixa.Loja:8631", "none", std::string("caixa.loja:8631"))));
}

TEST(RequestOrigin, RefusesThePagesOfOtherOrigins) {
    EXPECT_TRUE(cross_origin_refusal(delete_request("http://evil.example")));
    // Another port of the same host is another program.
    EXPECT_TRUE(cross_origin_refusal(delete_request("http://127.0.0.1:8632")));
    EXPECT_TRUE(cross_origin_refusal(delete_request("http://127.0.0.1")));
    EXPECT_TRUE(cross_origin_refusal(delete_request("null")));
    EXPECT_TRUE(cross_origin_refusal(delete_request("http://127.0.0.1:8631/path")));
    EXPECT_TRUE(cross_origin_refusal(delete_request("127.0.0.1:8631")));
    // An Origin with no Host to compare it with.
    EXPECT_TRUE(
        cross_origin_refusal(delete_request("http://127.0.0.1:8631", std::nullopt, std::nullopt)));
}

TEST(RequestOrigin, BelievesSecFetchSiteEvenWithoutOrigin) {
    EXPECT_TRUE(cross_origin_refusal(delete_request(std::nullopt, "cross-site")));
    EXPECT_TRUE(cross_origin_refusal(delete_request(std::nullopt, "same-site")));
    EXPECT_TRUE(cross_origin_refusal(delete_request("http://127.0.0.1:8631", "cross-site")));
    const auto refusal = cross_origin_refusal(delete_request("http://evil.example"));
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("http://evil.example"), std::string::npos) << *refusal;
}

TEST(RequestOrigin, OnlyCallsThatChangeSomethingAreConcerned) {
    EXPECT_FALSE(changes_state("GET"));
    EXPECT_FALSE(changes_state("HEAD"));
    EXPECT_FALSE(changes_state("OPTIONS"));
    EXPECT_TRUE(changes_state("POST"));
    EXPECT_TRUE(changes_state("DELETE"));
    EXPECT_TRUE(changes_state("PUT"));
    EXPECT_TRUE(changes_state("PATCH"));
}

}  // namespace
}  // namespace tovprintd
