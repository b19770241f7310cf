#pragma once
// Where one paper ends among the hand-offs, for the back-ends that print or draw them: after
// every entry point that carries a whole text, and after FechRelatGerenc, which closes a
// management report. The pieces of Usa_CompNFis belong to the paper in progress, which they
// share with the text that follows them (a statement's Extrato) or the closing of the report.

#include "handoff/hand_off.hpp"

namespace tovprint {

inline bool carries_piece(const HandOff& hand_off) {
    return hand_off.entry_point == "Usa_CompNFis";
}

inline bool ends_paper(const HandOff& hand_off) {
    if (hand_off.entry_point == "FechRelatGerenc") return true;
    return hand_off.text.has_value() && !carries_piece(hand_off);
}

}  // namespace tovprint
