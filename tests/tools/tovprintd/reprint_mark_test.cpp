#include "jobs/reprint_mark.hpp"

#include <gtest/gtest.h>

namespace tovprintd {
namespace {

TEST(ReprintMark, OneLineBeforeThePaperInItsLanguageAndLineEnd) {
    EXPECT_EQ(marked_as_reprint("Total\r\n", portuguese), "*** REIMPRESSAO ***\r\nTotal\r\n");
    EXPECT_EQ(marked_as_reprint("Total\n", portuguese), "*** REIMPRESSAO ***\nTotal\n");
    EXPECT_EQ(marked_as_reprint("\x1b"
                                "E\x01Total\r\n",
                                spanish),
              "*** REIMPRESION ***\r\n\x1b"
              "E\x01Total\r\n");
}

TEST(ReprintMark, TheSpanishBillIsToldApartByItsWording) {
    EXPECT_EQ(document_language("       SEGUIMIENTO DE PEDIDO\r\nMozo   : 12"), spanish);
    EXPECT_EQ(document_language("   ACOMPANHAMENTO DO PEDIDO\r\nGarcom : 12"), portuguese);
    EXPECT_EQ(document_language("Total de Vendas por Vendedor"), portuguese);
}

}  // namespace
}  // namespace tovprintd
