#include "core/CoreSelfTest.h"

#include <gtest/gtest.h>

using namespace Fasoria;

TEST(CoreSelfTest, ElevenChecksInOrderAllPassing)
{
    const std::vector<std::string> names = {"Preparazione |0>",         "Hadamard: distribuzione 50/50",
                                            "Identita' H * H",          "Pauli X e Z",
                                            "Fase relativa: H-Z-H = X", "Rotazione di fase",
                                            "Bell: H + CNOT",           "Misura parziale: collasso correlato",
                                            "Misura totale: collasso",  "10000 shot indipendenti",
                                            "Controllo errori e indici"};
    const std::vector<CoreCheckResult> results = runCoreSelfTest();
    ASSERT_EQ(results.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(results[i].name, names[i]);
        EXPECT_TRUE(results[i].passed) << results[i].name << ": " << results[i].detail;
        EXPECT_EQ(results[i].detail, "OK");
    }
}

TEST(CoreSelfTest, StoredNamesAreFoundByteForByte)
{
    for (std::size_t i = 0; i < kCoreCheckCount; ++i) {
        EXPECT_EQ(findCoreCheck(kCoreCheckNames[i].stored), std::optional<std::size_t>(i)) << kCoreCheckNames[i].stored;
    }
    // Titles, near misses and the ids of other checks are not stored names.
    const std::string others[] = {"Identità H * H",  "identita' H * H",
                                  "Pauli X e Z ",    "10000 prove indipendenti",
                                  "Prepare |0>",     std::string("Bell: H + CNOT\0", 15),
                                  "Q05-ITEN-labels", ""};
    for (const std::string &name : others) {
        EXPECT_EQ(findCoreCheck(name), std::nullopt) << name;
    }
}

TEST(CoreSelfTest, RepeatedRunsAgree)
{
    const std::vector<CoreCheckResult> first = runCoreSelfTest();
    const std::vector<CoreCheckResult> second = runCoreSelfTest();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].passed, second[i].passed);
        EXPECT_EQ(first[i].detail, second[i].detail);
    }
}
