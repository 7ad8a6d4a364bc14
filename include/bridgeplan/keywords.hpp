#pragma once
// The keyword table: every card code and keyword the deck uses, as the
// 4-character words they are compared with.

#include "bridgeplan/word.hpp"

namespace bp::kw {

inline constexpr Word ONE{"1"}, TWO{"2"}, THREE{"3"}, FOUR{"4"}, FIVE{"5"}, SIX{"6"}, SEVEN{"7"}, EIGHT{"8"},
    NINE{"9"}, STAR_CODE{"*"}, A{"A"}, B{"B"}, C{"C"}, T{"T"}, LVL{"LVL"}, PAR{"PAR"}, CRD{"CRD"}, ARC{"ARC"},
    RLG{"RLG"}, PIA{"PIA"}, PIB{"PIB"}, COR{"COR"}, STP{"STP"}, CTP{"CTP"}, COS{"COS"}, END{"END"},
    YES{"YES"}, CONT{"CONT"}, STAR{"STAR"}, BLANK{"    "}, FINI{"FINI"}, CONS{"CONS"}, SPAN{"SPAN"},
    COOR{"COOR"}, LAST{"LAST"}, PARL{"PARL"}, SKEW{"SKEW"}, PSTA{"PSTA"}, SAME{"SAME"}, PREV{"PREV"},
    ANGL{"ANGL"}, PTPT{"PTPT"}, DIST{"DIST"}, PROP{"PROP"}, NORM{"NORM"};

// In the order of the table, for completeness and for tests.
inline constexpr Word KeywordTable[] = {
    ONE,  TWO,  THREE, FOUR, FIVE, SIX,  SEVEN, EIGHT, NINE, STAR_CODE, A,    B,    C,    T,    LVL,
    PAR,  CRD,  ARC,   RLG,  PIA,  PIB,  COR,   STP,   CTP,  COS,       END,  YES,  CONT, STAR, BLANK,
    FINI, CONS, SPAN,  COOR, LAST, PARL, SKEW,  PSTA,  SAME, PREV,      ANGL, PTPT, DIST, PROP, NORM};

}   // namespace bp::kw
