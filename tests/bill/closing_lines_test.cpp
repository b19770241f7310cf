// The closing lines: the amount per person, the stay time and the till's footer.

#include <gmock/gmock.h>

#include "bill_fixture.hpp"
#include "platform/errors/errors.hpp"

namespace tov::bill::testing {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

// Sale 1001 has 50,00 paid already.
TEST_F(BillTest, AmountPerPersonIsWhatIsLeftToPayShared) {
    request.stNrvendarest = "1001";
    request.doTotal = 100;
    request.doQtPessoas = 4;
    print({{}});
    EXPECT_THAT(bill(), HasSubstr("\n 4 PESSOA(S) 12,50 POR PESSOA\nTempo"));

    recorder.bills.clear();
    request.doQtPessoas = 2.5;
    print({{}});
    EXPECT_THAT(bill(), HasSubstr("\n 2,5 PESSOA(S) 20,00 POR PESSOA\nTempo"));

    recorder.bills.clear();
    request.doQtPessoas = 1;
    print({{}});
    EXPECT_THAT(bill(), Not(HasSubstr("PESSOA")));
}

TEST_F(BillTest, StayTimeShowsTheTimeOfDayOfTheDifference) {
    Ticket ticket;
    ticket.opened = "20240314T17:00:00000";  // 25 hours ago
    print({{}}, ticket);
    EXPECT_THAT(bill(), HasSubstr("Tempo de permanencia   01:00:00\n"));

    recorder.bills.clear();
    ticket.opened = "";  // no opening time: the clock's own time of day
    print({{}}, ticket);
    EXPECT_THAT(bill(), HasSubstr("Tempo de permanencia   18:00:00\n"));
}

TEST_F(BillTest, FooterIsCutIntoPiecesOfTheLineWidth) {
    const std::string footer = std::string(47, 'A') + " " + std::string(47, 'B') + " CCCC";
    sql("UPDATE CAIXA SET DSTXTRODAPEPARC = '" + footer + "'");
    recorder.register_width = 48;
    print({{}});
    EXPECT_THAT(bill(), EndsWith(std::string(48, '-') + "\n" + std::string(47, 'A') + " \n" +
                                 std::string(47, 'B') + " \nCCCC\n\n\n"));

    // A printer that tells no width is refused before anything is composed.
    recorder.bills.clear();
    recorder.register_width = 0;
    EXPECT_THROW(print({{}}), tov::ArgumentError);
    EXPECT_TRUE(recorder.bills.empty());

    recorder.bills.clear();
    recorder.register_width = 40;
    sql("UPDATE CAIXA SET DSTXTRODAPEPARC = '   '");
    print({{}});
    EXPECT_THAT(bill(), EndsWith("01:05:07\n" + dashes + "\n\n\n"));
}

}  // namespace
}  // namespace tov::bill::testing
