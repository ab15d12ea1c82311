// The shipped help page: a section for every help anchor the readouts
// open it at, found where the bar looks for it.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "CpuSentinel.h"
#include "Corvex_Kernel.h"
#include "Corvex_Sentinels.h"
#include "Corvex_Speeders.h"
#include "MemorySentinel.h"
#include "NetSentinel.h"
#include "Registry_Zolt2.h"
#include "StartupOptions.h"
#include "engine/kernel/BarTesting.h"

namespace corvex::test {
namespace {

// Anchors of readouts whose kinds this build does not make yet; the page
// documents them already, and the list goes once they are made.
const char* const kAnchorsOfKindsToCome[] = {
    "_drivesentinel", "_sram",    "_sswp",       "_svm",       "_susr",    "_sgdi",    "_sclock",
    "_slive",         "_sos",     "_sscr",       "_shost",     "_suser",   "_skey",    "_spower",
    "_smapi",         "_sexe",    "_sthread",    "_sprocess",  "_sevent",  "_smutex",  "_ssemaphore",
    "_ssections",     "_netsentinel", "_slanout", "_slanin",   "_srasout", "_srasin",
    "_saudio",        "_swav",
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every value of attribute `attribute` ("id", "name", "href") in `page`.
std::multiset<std::string> AttributeValues(const std::string& page, const std::string& attribute) {
    std::multiset<std::string> values;
    const std::string opening = " " + attribute + "=\"";
    for (std::size_t at = page.find(opening); at != std::string::npos; at = page.find(opening, at + 1)) {
        const std::size_t begin = at + opening.size();
        const std::size_t end = page.find('"', begin);
        if (end == std::string::npos) break;
        values.insert(page.substr(begin, end - begin));
    }
    return values;
}

class HelpPageTest : public BarTest {
protected:

    // The anchors the readouts of a full bar open the page at: its own
    // Speeders, those its Sentinels make on request, and the kinds made
    // while it runs.
    std::set<std::string> AnchorsInUse(TPULSE& bar) {
        std::set<std::string> anchors;
        const auto note = [&anchors](const _speeder& speeder) {
            // An empty anchor opens the page at its top.
            if (!speeder.HelpAnchor().empty()) anchors.insert(speeder.HelpAnchor());
        };
        for (std::size_t i = 0; i < bar.SentinelCount(); ++i) {
            _sentinel& sentinel = *bar.Sentinels(i);
            for (std::size_t k = 0; k < sentinel.SpeederCount(); ++k) note(*sentinel.Speeders(k));
            _speeder* made = nullptr;
            if (sentinel.NewSpeeder(made) == _OK && made) {
                note(*made);
                sentinel.Destroy(made);
            }
            // The base every kind starts from.
            _speeder& plain = sentinel.Make<_speeder>();
            note(plain);
            sentinel.Destroy(&plain);
        }
        if (_memsentinel* memory = bar.MemorySentinel()) note(memory->Make<_smemfree>());
        if (_cpusentinel* cpu = bar.CpuSentinel()) note(cpu->Make<_scpu>());
        return anchors;
    }

};

TEST_F(HelpPageTest, TheBarFindsThePageWithASectionForEveryReadout) {
    TPULSE& bar = root_->Make<TPULSE>();
    const std::string page = ReadFile(bar.HelpFolder() + "corvex_main.htm");
    ASSERT_FALSE(page.empty()) << "no page in " << bar.HelpFolder();

    const std::multiset<std::string> ids = AttributeValues(page, "id");
    const std::multiset<std::string> names = AttributeValues(page, "name");
    std::set<std::string> anchors = AnchorsInUse(bar);
    // The bar and the Memory and CPU Sentinels are always there; these
    // three come from the code, not from the list below.
    EXPECT_TRUE(anchors.count("_sentinels"));
    EXPECT_TRUE(anchors.count("_memsentinel"));
    EXPECT_TRUE(anchors.count("_cpusentinel"));
    anchors.insert(std::begin(kAnchorsOfKindsToCome), std::end(kAnchorsOfKindsToCome));
    for (const std::string& anchor : anchors) {
        // Modern browsers go to the id, old ones to the name.
        EXPECT_EQ(ids.count(anchor), 1u) << anchor;
        EXPECT_EQ(names.count(anchor), 1u) << anchor;
    }
}

TEST_F(HelpPageTest, ThePageStandsAloneAndItsLinksLeadSomewhere) {
    TPULSE& bar = root_->Make<TPULSE>();
    const std::string page = ReadFile(bar.HelpFolder() + "corvex_main.htm");
    ASSERT_FALSE(page.empty());

    const std::multiset<std::string> ids = AttributeValues(page, "id");
    for (const std::string& id : ids) EXPECT_EQ(ids.count(id), 1u) << "id twice: " << id;
    for (const std::string& target : AttributeValues(page, "href")) {
        ASSERT_FALSE(target.empty());
        EXPECT_EQ(target[0], '#') << "link out of the page: " << target;
        EXPECT_EQ(ids.count(target.substr(1)), 1u) << "link to nowhere: " << target;
    }
    // Nothing to fetch: the page is read from the disk, often off line.
    for (const char* outside : {" src=", "<link", "url(", "http:", "https:", "@import"})
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
}

}  // namespace
}  // namespace corvex::test
