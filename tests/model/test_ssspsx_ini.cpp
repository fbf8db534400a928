// SSSPSX.ini, read by line position.
#include <gtest/gtest.h>

#include "model/ssspsx_ini.h"

namespace kv {
namespace {

using model::parse_ssspsx_ini;
using Values = model::SsspsxValues;

TEST(SsspsxIni, ValuesComeByLinePosition) {
    EXPECT_EQ(parse_ssspsx_ini("[Plugins]\r\nBIOS=a.bin\r\nGPU=g.so\r\nSPU=\r\nCDR=\r\nPAD1=p1\r\nPAD2=p2\r\n"
                               "MCD1=one.mcr\r\nMCD2=two.mcr\r\n"),
              (Values{"a.bin", "g.so", "", "", "p1", "p2", "one.mcr", "two.mcr"}));
    // Keys are never looked at; a second "=" ends the value; a leading blank is kept.
    EXPECT_EQ(parse_ssspsx_ini("x\nA=1=2\nB= g.so\n"), (Values{"1", " g.so", "", "", "", "", "", ""}));
    // A line without "=" stops the reading; so does the end of the text.
    EXPECT_EQ(parse_ssspsx_ini("[Plugins]\nBIOS=a\nGPU=b\n\nCDR=d\n"),
              (Values{"a", "b", "", "", "", "", "", ""}));
    EXPECT_EQ(parse_ssspsx_ini(""), Values{});
}

TEST(SsspsxIni, ACommaInTheFirstLineShiftsEveryValueUp) {
    EXPECT_EQ(parse_ssspsx_ini("[Plugins],BIOS=a.bin\r\nGPU=g.so\r\nSPU=s.so\r\n"),
              (Values{"a.bin", "g.so", "s.so", "", "", "", "", ""}));
    EXPECT_EQ(parse_ssspsx_ini("[Plugins],rest\r\nBIOS=a.bin\r\n"), Values{});
    // A quoted first field runs to its closing quote, commas inside it included.
    EXPECT_EQ(parse_ssspsx_ini("\"a,b\"\nBIOS=x\n"), (Values{"x", "", "", "", "", "", "", ""}));
}

}  // namespace
}  // namespace kv
