#include "journal/journal.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/process.hpp"

namespace tovprintd {
namespace {

namespace fs = std::filesystem;

class JournalTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("tovprintd_journal_" + tov::test::process_id_text() + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path file() const { return folder_ / "journal.db"; }

    static NewJob job(const std::string& caller, const std::string& key,
                      const std::string& printer = "caixa") {
        return NewJob{caller,
                      key,
                      "digest-of-" + key,
                      printer,
                      "vendedor",
                      "pt",
                      {{"text 1", "bytes 1"}, {"text 2", std::string("by\0tes 2", 8)}},
                      std::nullopt};
    }

    fs::path folder_;
};

TEST_F(JournalTest, AKeyOfACallerKeepsOneJobWhicheverBodyComesAgain) {
    Journal journal(file());
    const auto first = journal.accept(job("caixa-1", "k1"));
    EXPECT_TRUE(first.created);
    NewJob other = job("caixa-1", "k1");
    other.body_sha256 = "another";
    const auto again = journal.accept(other);
    EXPECT_FALSE(again.created);
    EXPECT_EQ(again.id, first.id);
    EXPECT_EQ(again.body_sha256, "digest-of-k1");
    const auto other_caller = journal.accept(job("caixa-2", "k1"));
    EXPECT_TRUE(other_caller.created);
    EXPECT_NE(other_caller.id, first.id);
    EXPECT_EQ(journal.find_by_key("caixa-1", "k1")->id, first.id);
    EXPECT_FALSE(journal.find_by_key("caixa-3", "k1"));
    EXPECT_EQ(journal.list({}).size(), 2u);
    const auto papers = journal.papers(first.id);
    ASSERT_EQ(papers.size(), 2u);
    EXPECT_EQ(papers[1].bytes, std::string("by\0tes 2", 8));
    EXPECT_EQ(journal.find(first.id)->papers, 2);
}

TEST_F(JournalTest, ReprintsHaveNoKeyAndNeverCollide) {
    Journal journal(file());
    NewJob reprint = job("gerente", "");
    reprint.reprint_of = 1;
    EXPECT_TRUE(journal.accept(reprint).created);
    EXPECT_TRUE(journal.accept(reprint).created);
}

TEST_F(JournalTest, EachStateChangeHappensOnlyFromTheStateBeforeIt) {
    Journal journal(file());
    const auto id = journal.accept(job("caixa-1", "k1")).id;
    EXPECT_TRUE(journal.start_sending(id));
    EXPECT_FALSE(journal.start_sending(id)) << "sent twice";
    EXPECT_FALSE(journal.cancel(id)) << "cancelled while sending";
    EXPECT_FALSE(journal.move(id, "bar", {})) << "moved while sending";
    journal.finish_sending(id, JobState::Sent, std::nullopt);
    const auto sent = journal.find(id);
    EXPECT_EQ(sent->state, JobState::Sent);
    EXPECT_EQ(sent->attempts, 1);
    EXPECT_TRUE(sent->finished);
    journal.finish_sending(id, JobState::Unconfirmed, "late");
    EXPECT_EQ(journal.find(id)->state, JobState::Sent);

    const auto queued = journal.accept(job("caixa-1", "k2")).id;
    journal.note_failed_attempt(queued, "refused");
    EXPECT_EQ(journal.find(queued)->state, JobState::Queued);
    EXPECT_EQ(journal.find(queued)->error, "refused");
    EXPECT_TRUE(journal.cancel(queued));
    EXPECT_FALSE(journal.start_sending(queued)) << "a cancelled job was sent";
}

TEST_F(JournalTest, QueuesAreInAcceptedOrderAndAMoveTakesTheNewBytes) {
    Journal journal(file());
    const auto a = journal.accept(job("caixa-1", "a")).id;
    const auto b = journal.accept(job("caixa-2", "b")).id;
    journal.accept(job("caixa-1", "c", "bar"));
    EXPECT_EQ(journal.next_queued("caixa")->id, a);
    EXPECT_EQ(journal.queue_summary("caixa").queued, 2);
    EXPECT_TRUE(journal.queue_summary("caixa").oldest_created_ms);
    EXPECT_TRUE(journal.move(a, "bar", {{"text 1", "BAR 1"}, {"text 2", "BAR 2"}}));
    EXPECT_EQ(journal.next_queued("caixa")->id, b);
    const auto moved = journal.find(a);
    EXPECT_EQ(moved->printer, "bar");
    EXPECT_EQ(moved->moved_from, "caixa");
    EXPECT_EQ(journal.papers(a)[1].bytes, "BAR 2");
    EXPECT_EQ(journal.papers(a)[1].text, "text 2");
    EXPECT_EQ(journal.next_queued("bar")->id, a) << "the older job first on the backup";
    EXPECT_FALSE(journal.next_queued("cozinha"));
}

TEST_F(JournalTest, AJobSendingWhenTheServiceStoppedIsUnconfirmedWhenItStartsAgain) {
    std::int64_t sending = 0;
    std::int64_t queued = 0;
    {
        Journal journal(file());
        sending = journal.accept(job("caixa-1", "a")).id;
        queued = journal.accept(job("caixa-1", "b")).id;
        ASSERT_TRUE(journal.start_sending(sending));
    }
    Journal reopened(file());
    EXPECT_EQ(reopened.settle_interrupted_jobs(), std::vector<std::int64_t>{sending});
    EXPECT_EQ(reopened.find(sending)->state, JobState::Unconfirmed);
    EXPECT_TRUE(reopened.find(sending)->error);
    EXPECT_EQ(reopened.find(queued)->state, JobState::Queued);
    EXPECT_TRUE(reopened.settle_interrupted_jobs().empty());
    EXPECT_EQ(
        reopened.list({JobState::Unconfirmed, std::nullopt, std::nullopt, 10, std::nullopt}).size(),
        1u);
    EXPECT_EQ(reopened.list({std::nullopt, std::nullopt, "caixa-2", 10, std::nullopt}).size(), 0u);
}

}  // namespace
}  // namespace tovprintd
