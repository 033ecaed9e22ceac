// The output files as a set, apart from any run: when one cannot be put in place, every file of
// the user's is left as it was.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/output_files.h"
#include "app_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST(OutputFilesTest, OnePlaceFailingLeavesEveryFileOfTheUsersAsItWas) {
    const fs::path dir = fs::temp_directory_path() / ("marlovan_outputs_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string kept = (dir / "a.svg").string(), added = (dir / "b.csv").string(), failed = (dir / "c.bin").string();
    std::ofstream(kept) << "old";
    {
        OutputFiles outputs({kept, added, failed});
        for (const std::string& path : {kept, added, failed}) outputs.Set(path, "new");
        fs::create_directories(failed + "/inside");  // during the run
        EXPECT_NE(ErrorOf([&] { outputs.Commit(); }).find("cannot write " + failed), std::string::npos);
    }
    EXPECT_EQ(ReadFile(kept), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    fs::remove_all(dir);
}

}  // namespace
