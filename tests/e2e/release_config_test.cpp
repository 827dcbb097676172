// The release folder the build makes for the download server, read back by the same
// configuration reader and checks the Live Update wizard uses, so what we publish is what
// the program accepts.
#include <gtest/gtest.h>

#include <algorithm>

#include "driver/Driver.h"
#include "pagewick_version.h"
#include "platform/win32/BcryptCrypto.h"
#include "update/UpdateConfig.h"
#include "update/UpdateSignature.h"

namespace e2e {
namespace {

TEST(Release, ConfigurationFileReadsBackThroughTheUpdateReader) {
  const std::string exe =
      ToWindowsPath(GetEnv("PAGEWICK_EXE", JoinPath(ThisExeFolder(), "..\\pagewick.exe")));
  const std::string release = JoinPath(exe.substr(0, exe.find_last_of('\\')), "release");
  std::string text;
  ASSERT_TRUE(ReadFileBytes(JoinPath(release, "pagewick.txt"), &text)) << release;

  const pw::UpdateConfig cfg = pw::ParseUpdateConfig(text);
  EXPECT_EQ(cfg.lines, 5);
  EXPECT_EQ(cfg.webVersion, PAGEWICK_VERSION_DOTTED);
  EXPECT_FALSE(pw::IsNewerVersion(PAGEWICK_VERSION_DOTTED, cfg.webVersion))
      << "the release of the running version needs no update";
  EXPECT_TRUE(pw::IsNewerVersion("0.9", cfg.webVersion));
  // Signed with the key the program carries, as the system's cryptography (CNG) sees it.
  pw::win32::BcryptSignatureCheck cng;
  EXPECT_EQ(pw::CheckConfigSignature(text, cfg, pw::PublisherKey(), cng), pw::SignatureVerdict::Good);
  std::string changed = text;
  changed[0] = static_cast<char>(changed[0] ^ 1);
  EXPECT_EQ(pw::CheckConfigSignature(changed, pw::ParseUpdateConfig(changed), pw::PublisherKey(), cng),
            pw::SignatureVerdict::Bad);
  EXPECT_EQ(cfg.installerUrl,
            "https://www.pagewick.example/software/pagewick/" + cfg.installerFile);
  EXPECT_EQ(pw::InstallerNameProblem(cfg.installerFile), "") << cfg.installerFile;

  std::string installer;
  ASSERT_TRUE(ReadFileBytes(JoinPath(release, cfg.installerFile), &installer))
      << cfg.installerFile;
  std::string hex;
  ASSERT_TRUE(pw::ParseSha256Hex(cfg.sha256, hex)) << cfg.sha256;
  // The system's SHA-256 (the program's only one), of the whole file at once...
  std::string digest;
  ASSERT_TRUE(cng.Sha256(installer, digest));
  ASSERT_EQ(digest.size(), 32u);
  std::string whole;
  for (unsigned char b : digest) {
    static const char kHex[] = "0123456789abcdef";
    whole += kHex[b >> 4];
    whole += kHex[b & 15];
  }
  EXPECT_EQ(hex, whole) << "line 4 is the installer's SHA-256";
  // ... and fed in pieces as a download streams in.
  pw::win32::BcryptSha256 streamed;
  for (std::size_t at = 0; at < installer.size(); at += 16384)
    streamed.Add(installer.data() + at, static_cast<unsigned long>(std::min<std::size_t>(16384, installer.size() - at)));
  std::string cngHex;
  ASSERT_TRUE(streamed.Finish(cngHex));
  EXPECT_EQ(cngHex, hex);
}

}  // namespace
}  // namespace e2e
