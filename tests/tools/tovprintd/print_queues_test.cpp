#include "printing/print_queues.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "printer/printer_profiles.hpp"
#include "printer/transport/printer_error.hpp"
#include "support/process.hpp"

namespace tovprintd {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// What the fake printers were asked, in order, across all of them.
struct PrinterEvents {
    std::mutex mutex;
    std::vector<std::string> events;
    std::map<std::string, std::string> received;  // bytes per printer
    std::atomic<int> overlaps{0};

    void add(const std::string& event) {
        const std::lock_guard lock(mutex);
        events.push_back(event);
    }
};

// A printer whose answers the test sets: whether it takes connections, whether it confirms,
// and the paper whose sending fails.
class FakeLink final : public PrinterLink {
public:
    FakeLink(std::string name, PrinterEvents& events) : name_(std::move(name)), events_(events) {}

    std::atomic<bool> reachable{true};
    std::atomic<bool> confirms{false};
    std::atomic<bool> out_of_paper{false};  // says so when asked
    std::atomic<int> open_attempts{0};
    std::atomic<int> status_asks{0};
    std::string fail_on;  // sending a paper that holds this fails

    // Like a printer of tovprint's connections: unknown until a connection fails.
    PrinterStatus status() override {
        ++status_asks;
        if (out_of_paper) return {PrinterCondition::Cannot, "out of paper"};
        if (failed_ && !reachable) return {PrinterCondition::Cannot, "refused"};
        failed_ = false;
        return {PrinterCondition::Unknown, ""};
    }
    PrinterStatus open_job() override {
        ++open_attempts;
        failed_ = !reachable;
        if (failed_) throw tovprint::PrinterError(name_ + " refused the connection");
        if (out_of_paper) return {PrinterCondition::Cannot, "out of paper"};
        if (open_) ++events_.overlaps;
        open_ = true;
        events_.add(name_ + " open");
        return {PrinterCondition::Unknown, ""};
    }
    void send_paper(std::string_view bytes) override {
        if (!fail_on.empty() && bytes.find(fail_on) != std::string_view::npos) {
            throw tovprint::PrinterError(name_ + " dropped the connection");
        }
        const std::lock_guard lock(events_.mutex);
        events_.received[name_] += bytes;
        events_.events.push_back(name_ + " paper " + std::string(bytes.substr(bytes.size() - 8)));
    }
    Confirmation confirm() override {
        open_ = false;
        events_.add(name_ + " end");
        return confirms ? Confirmation::Printed : Confirmation::SentNotConfirmed;
    }
    void abandon() override { open_ = false; }

private:
    std::string name_;
    PrinterEvents& events_;
    bool open_ = false;
    bool failed_ = false;
};

class PrintQueuesTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("tovprintd_queues_" + tov::test::process_id_text() + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        journal_ = std::make_unique<Journal>(folder_ / "journal.db");
        PrinterConfig caixa{"caixa", "tcp://caixa", tovprint::find_printer_profile("escpos"), "bar",
                            1000ms};
        PrinterConfig bar{"bar", "tcp://bar", tovprint::find_printer_profile("esc-e-f"),
                          std::nullopt, 1000ms};
        printers_ = {{"caixa", caixa}, {"bar", bar}};
        queues_ = std::make_unique<PrintQueues>(
            printers_, *journal_, log_, [this](const PrinterConfig& printer) {
                auto link = std::make_unique<FakeLink>(printer.name, events_);
                links_[printer.name] = link.get();
                return link;
            });
    }
    void TearDown() override {
        queues_.reset();
        journal_.reset();
        fs::remove_all(folder_);
    }

    // A job of one paper whose text ends in its own mark, e.g. "paper-01".
    std::int64_t queue(const std::string& printer, const std::string& mark) {
        NewJob job{"caixa-1", mark, "digest", printer, "vendedor", "pt", {}, std::nullopt};
        job.papers = queues_->papers_of(printer).papers({"Total R$ 10,00 a\xE7\xE3o " + mark});
        const auto id = journal_->accept(job).id;
        queues_->job_queued(printer);
        return id;
    }

    // Waits (at most 20 s) until no job is queued or sending.
    void wait_for_every_job() {
        for (int i = 0; i < 2000; ++i) {
            if (journal_->list({JobState::Queued, std::nullopt, std::nullopt, 1, std::nullopt})
                    .empty() &&
                journal_->list({JobState::Sending, std::nullopt, std::nullopt, 1, std::nullopt})
                    .empty()) {
                return;
            }
            std::this_thread::sleep_for(10ms);
        }
        FAIL() << "jobs are still waiting";
    }

    fs::path folder_;
    std::unique_ptr<Journal> journal_;
    std::ostringstream log_text_;
    JobLog log_{log_text_};
    PrinterEvents events_;
    std::map<std::string, FakeLink*> links_;
    std::map<std::string, PrinterConfig> printers_;
    std::unique_ptr<PrintQueues> queues_;
};

TEST_F(PrintQueuesTest, JobsPrintInAcceptedOrderEachWholeWithTheProfilesBytes) {
    links_["caixa"]->confirms = true;
    std::vector<std::int64_t> ids;
    for (int i = 0; i < 5; ++i) ids.push_back(queue("caixa", "paper-0" + std::to_string(i)));
    queues_->start();
    wait_for_every_job();
    std::vector<std::string> expected;
    for (int i = 0; i < 5; ++i) {
        expected.push_back("caixa open");
        // The cut GS V 66 0 ends each paper.
        expected.push_back("caixa paper r-0" + std::to_string(i) + "\x1dV\x42" +
                           std::string(1, '\0'));
        expected.push_back("caixa end");
    }
    EXPECT_EQ(events_.events, expected);
    EXPECT_EQ(events_.overlaps, 0);
    for (const auto id : ids) EXPECT_EQ(journal_->find(id)->state, JobState::Printed);
    // ESC @ ESC t 2 before each job; the text in CP850 (a-tilde 0xC6, c-cedilla 0x87).
    const std::string& bytes = events_.received["caixa"];
    EXPECT_TRUE(
        bytes.ends_with(std::string("\x1b@\x1bt\x02Total R$ 10,00 a\x87\xC6o paper-04\x1dV\x42") +
                        std::string(1, '\0')));
}

// The status comes over the job's own connection: one connection a job. A printer found out of
// paper there holds the job, which counts no attempt, and is then asked on connections of its
// own (about once a second) until it can print.
TEST_F(PrintQueuesTest, AJobsStatusComesOverItsOwnConnectionAndAPrinterOutOfPaperHoldsIt) {
    const auto first = queue("bar", "paper-00");
    queues_->start();
    wait_for_every_job();
    EXPECT_EQ(journal_->find(first)->state, JobState::Sent);
    EXPECT_EQ(links_["bar"]->open_attempts, 1);

    links_["bar"]->out_of_paper = true;
    const int asked = links_["bar"]->status_asks;
    const auto held = queue("bar", "paper-01");
    for (int i = 0; i < 500 && links_["bar"]->status_asks < asked + 2; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(links_["bar"]->open_attempts, 2) << "the held printer was sent jobs";
    EXPECT_GE(links_["bar"]->status_asks, asked + 2);
    EXPECT_EQ(journal_->find(held)->state, JobState::Queued);
    EXPECT_EQ(journal_->find(held)->attempts, 0);
    for (const PrinterView& view : queues_->views()) {
        if (view.name == "bar") {
            EXPECT_EQ(view.snapshot.status.reason, "out of paper");
        }
    }

    links_["bar"]->out_of_paper = false;
    wait_for_every_job();
    EXPECT_EQ(journal_->find(held)->state, JobState::Sent);
    EXPECT_EQ(links_["bar"]->open_attempts, 3);
}

TEST_F(PrintQueuesTest, AJobWhoseSendingFailedIsUnconfirmedAndNeverSentAgain) {
    links_["caixa"]->fail_on = "paper-01";
    const auto first = queue("caixa", "paper-00");
    const auto failed = queue("caixa", "paper-01");
    const auto after = queue("caixa", "paper-02");
    queues_->start();
    wait_for_every_job();
    EXPECT_EQ(journal_->find(first)->state, JobState::Sent);
    const auto job = journal_->find(failed);
    EXPECT_EQ(job->state, JobState::Unconfirmed);
    EXPECT_EQ(job->error, "caixa dropped the connection");
    EXPECT_EQ(job->attempts, 1);
    EXPECT_EQ(journal_->find(after)->state, JobState::Sent);
    EXPECT_NE(log_text_.str().find("job " + std::to_string(failed) +
                                   " caixa vendedor unconfirmed: caixa dropped"),
              std::string::npos);
}

TEST_F(PrintQueuesTest, APrinterThatCannotPrintMovesItsQueueToTheBackupWhichHoldsItUntilItPrints) {
    links_["caixa"]->reachable = false;
    links_["bar"]->reachable = false;
    const auto a = queue("caixa", "paper-00");
    const auto b = queue("caixa", "paper-01");
    queues_->start();
    const auto failed_on_bar = [&] {
        return journal_->find(a)->error == std::optional<std::string>("bar refused the connection");
    };
    for (int i = 0; i < 2000 && !failed_on_bar(); ++i) std::this_thread::sleep_for(10ms);
    ASSERT_GE(links_["caixa"]->open_attempts, 1);
    EXPECT_EQ(journal_->find(a)->state, JobState::Queued) << "held while no printer can print";
    // Moved once to the backup, not yet known to be down, which then failed as well.
    EXPECT_EQ(journal_->find(a)->moved_from, "caixa");
    EXPECT_EQ(journal_->find(a)->error, "bar refused the connection");
    links_["bar"]->reachable = true;
    wait_for_every_job();
    for (const auto id : {a, b}) {
        const auto job = journal_->find(id);
        EXPECT_EQ(job->state, JobState::Sent);
        EXPECT_EQ(job->printer, "bar");
        EXPECT_EQ(job->moved_from, "caixa");
    }
    // On bar in its own profile: ESC @ ESC t 3, CP860 (a-tilde 0x84), cut ESC m.
    EXPECT_EQ(events_.received["bar"].substr(0, 35),
              "\x1b@\x1bt\x03Total R$ 10,00 a\x87\x84o paper-00\x1bm");
    EXPECT_EQ(events_.received.count("caixa"), 0u);
}

}  // namespace
}  // namespace tovprintd
