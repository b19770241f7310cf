#include "platform/db/named_parameters.hpp"

#include <gtest/gtest.h>

#include "platform/errors/errors.hpp"

namespace tov::db {
namespace {

using Names = std::vector<std::string>;

TEST(NamedParameters, EveryOccurrenceBecomesAMarkerBoundByItsName) {
    const auto statement = to_positional(
        "WHERE VR.NRVENDAREST = :P_NRVENDAREST AND\r\n"
        "(CV.NRCOMANDA = :P_NRCOMANDA or ((CV.DSCOMANDA like '%'+:P_NRCOMANDA)and(CV.NRCOMANDA <> "
        ":P_NRCOMANDA ) ))");
    EXPECT_EQ(statement.sql,
              "WHERE VR.NRVENDAREST = ? AND\r\n(CV.NRCOMANDA = ? or ((CV.DSCOMANDA like "
              "'%'+?)and(CV.NRCOMANDA <> ? ) ))");
    EXPECT_EQ(statement.marker_names,
              (Names{"P_NRVENDAREST", "P_NRCOMANDA", "P_NRCOMANDA", "P_NRCOMANDA"}));
    EXPECT_EQ(distinct_names(statement.marker_names), (Names{"P_NRVENDAREST", "P_NRCOMANDA"}));
}

TEST(NamedParameters, ColonsInLiteralsIdentifiersCommentsAndCastsAreText) {
    const auto statement = to_positional(
        "SELECT '10:30', 'it''s :NOT', \"A:B\", [C:D], X::text -- :NOT\n/* :NOT */ FROM T WHERE "
        "A=:A1");
    EXPECT_EQ(statement.sql,
              "SELECT '10:30', 'it''s :NOT', \"A:B\", [C:D], X::text -- :NOT\n/* :NOT */ FROM T "
              "WHERE A=?");
    EXPECT_EQ(statement.marker_names, Names{"A1"});
}

TEST(NamedParameters, AColonNotFollowedByANameIsText) {
    const auto statement = to_positional("SELECT a : b, :1, :");
    EXPECT_EQ(statement.sql, "SELECT a : b, :1, :");
    EXPECT_TRUE(statement.marker_names.empty());
}

TEST(NamedParameters, NamesDifferingInCaseAreOneParameter) {
    EXPECT_EQ(distinct_names({"P_A", "p_a", "P_B"}), (Names{"P_A", "P_B"}));
}

TEST(NamedParameters, AnUnclosedLiteralOrCommentIsAnError) {
    EXPECT_THROW(to_positional("SELECT 'open"), DatabaseError);
    EXPECT_THROW(to_positional("SELECT \"open"), DatabaseError);
    EXPECT_THROW(to_positional("SELECT 1 /* open"), DatabaseError);
    EXPECT_NO_THROW(to_positional("SELECT 1 -- to the end"));
}

}  // namespace
}  // namespace tov::db
