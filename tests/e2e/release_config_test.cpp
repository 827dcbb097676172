// The release folder the build makes for the download server, read back by the same
// configuration reader and checks the Live Update wizard uses, so what we publish is what
// the program accepts.
#include <gtest/gtest.h>

#include "driver/Driver.h"
#include "update/Sha256.h"
#include "update/UpdateConfig.h"

namespace e2e {
namespace {

TEST(Release, ConfigurationFileReadsBackThroughTheUpdateReader) {
  const std::string exe =
      ToWindowsPath(GetEnv("PAGEWICK_EXE", JoinPath(ThisExeFolder(), "..\\pagewick.exe")));
  const std::string release = JoinPath(exe.substr(0, exe.find_last_of('\\')), "release");
  std::string text;
  ASSERT_TRUE(ReadFileBytes(JoinPath(release, "pagewick.txt"), &text)) << release;

  const pw::UpdateConfig cfg = pw::ParseUpdateConfig(text);
  EXPECT_EQ(cfg.lines, 4);
  EXPECT_EQ(cfg.webVersion, "1.4.0");
  EXPECT_FALSE(pw::IsNewerVersion("1.4.0", cfg.webVersion))
      << "the release of the running version needs no update";
  EXPECT_TRUE(pw::IsNewerVersion("1.3.9", cfg.webVersion));
  EXPECT_EQ(cfg.installerUrl,
            "https://www.pagewick.example/software/pagewick/" + cfg.installerFile);
  EXPECT_EQ(pw::InstallerNameProblem(cfg.installerFile), "") << cfg.installerFile;

  std::string installer;
  ASSERT_TRUE(ReadFileBytes(JoinPath(release, cfg.installerFile), &installer))
      << cfg.installerFile;
  std::string hex;
  ASSERT_TRUE(pw::ParseSha256Hex(cfg.sha256, hex)) << cfg.sha256;
  EXPECT_EQ(hex, pw::Sha256Hex(installer)) << "line 4 is the installer's SHA-256";
}

}  // namespace
}  // namespace e2e
