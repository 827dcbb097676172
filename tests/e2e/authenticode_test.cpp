// Authenticode signatures of what a release publishes, checked the way Windows checks them
// (WinVerifyTrust with the system's own trust provider, and the certificate chain it builds)
// and by osslsigncode: pagewick.exe, the setup program in the release folder and the
// uninstaller that setup writes. A signed build (PAGEWICK_SIGN_CERT) must have all three signed
// with SHA-256 by one certificate whose chain the system trusts, timestamped when a timestamp
// server was given; a file with one byte changed must fail; a file without a signature, and
// every file of an unsigned build, must report none.
//
// Wine's WinVerifyTrust checks the image hash and the signature, but answers 0 for a chain
// that ends in an unknown root: the chain's own status and the Authenticode chain policy are
// read from the provider's state and checked here too.
#include <shlobj.h>
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <ostream>
#include <vector>

#include "driver/Driver.h"
#include "platform/win32/BcryptCrypto.h"
#include "update/UpdateConfig.h"

namespace e2e {
namespace {

const char kRootStore[] = "Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pagewick";
const char kUninstaller[] = "Uninstall Pagewick.exe";
const DWORD kSetupMs = 60000;

std::string Hex(const BYTE* p, DWORD n) {
  static const char digits[] = "0123456789ABCDEF";
  std::string s;
  for (DWORD i = 0; i < n; ++i) {
    s += digits[p[i] >> 4];
    s += digits[p[i] & 15];
  }
  return s;
}

// What the system's Authenticode provider says of a file, and the signer and chain it found.
struct TrustReport {
  LONG result = 0;                // WinVerifyTrust: 0, TRUST_E_NOSIGNATURE, TRUST_E_BAD_DIGEST...
  bool signer = false;            // a signer and its chain were found
  std::string signer_thumbprint;  // SHA-1 of the signing certificate
  std::string signer_name;
  std::string root_der;           // the last certificate of the chain
  DWORD chain_errors = ~0u;       // the chain's error status, revocation (not checked) left out
  DWORD chain_policy = ~0u;       // the Authenticode chain policy's verdict
  bool code_signing = false;      // the signing certificate is for code signing
  std::string digest;             // the signature's digest algorithm
  bool timestamp = false;         // an RFC 3161 timestamp among the unsigned attributes
};

TrustReport VerifyWithSystem(const std::string& path) {
  TrustReport r;
  std::wstring wide(path.begin(), path.end());
  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = wide.c_str();
  WINTRUST_DATA data = {};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  HWND no_ui = static_cast<HWND>(INVALID_HANDLE_VALUE);
  r.result = WinVerifyTrust(no_ui, &action, &data);
  CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data.hWVTStateData);
  CRYPT_PROVIDER_SGNR* signer = provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
  if (signer && signer->csCertChain > 0 && signer->pChainContext && signer->psSigner) {
    r.signer = true;
    PCCERT_CONTEXT leaf = signer->pasCertChain[0].pCert;
    BYTE sha1[20];
    DWORD size = sizeof sha1;
    if (CertGetCertificateContextProperty(leaf, CERT_SHA1_HASH_PROP_ID, sha1, &size))
      r.signer_thumbprint = Hex(sha1, size);
    char name[256] = {};
    CertGetNameStringA(leaf, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, sizeof name);
    r.signer_name = name;
    PCCERT_CONTEXT root = signer->pasCertChain[signer->csCertChain - 1].pCert;
    r.root_der.assign(reinterpret_cast<const char*>(root->pbCertEncoded), root->cbCertEncoded);
    r.chain_errors = signer->pChainContext->TrustStatus.dwErrorStatus &
                     ~DWORD(CERT_TRUST_REVOCATION_STATUS_UNKNOWN | CERT_TRUST_IS_OFFLINE_REVOCATION);
    CERT_CHAIN_POLICY_PARA para = {sizeof para, 0, nullptr};
    CERT_CHAIN_POLICY_STATUS status = {sizeof status, 0, 0, 0, nullptr};
    if (CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_AUTHENTICODE, signer->pChainContext, &para, &status))
      r.chain_policy = status.dwError;
    DWORD usage_size = 0;
    if (CertGetEnhancedKeyUsage(leaf, CERT_FIND_EXT_ONLY_ENHKEY_USAGE_FLAG, nullptr, &usage_size)) {
      std::vector<BYTE> buffer(usage_size);
      auto* usage = reinterpret_cast<CERT_ENHKEY_USAGE*>(buffer.data());
      if (CertGetEnhancedKeyUsage(leaf, CERT_FIND_EXT_ONLY_ENHKEY_USAGE_FLAG, usage, &usage_size))
        for (DWORD i = 0; i < usage->cUsageIdentifier; ++i)
          if (std::strcmp(usage->rgpszUsageIdentifier[i], szOID_PKIX_KP_CODE_SIGNING) == 0) r.code_signing = true;
    }
    if (signer->psSigner->HashAlgorithm.pszObjId) r.digest = signer->psSigner->HashAlgorithm.pszObjId;
    for (DWORD i = 0; i < signer->psSigner->UnauthAttrs.cAttr; ++i)
      if (std::strcmp(signer->psSigner->UnauthAttrs.rgAttr[i].pszObjId, szOID_RFC3161_counterSign) == 0)
        r.timestamp = true;
  }
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(no_ui, &action, &data);
  return r;
}

// "Z:\tmp\x" -> "/tmp/x": the Linux side's name of a file under Wine's root drive.
std::string UnixPath(const std::string& windows) {
  std::string s = windows.size() > 2 && (windows[0] == 'Z' || windows[0] == 'z') && windows[1] == ':'
                      ? windows.substr(2) : windows;
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

// osslsigncode's verdict on a file, told by the exit code of a small script around it.
enum class Ossl { Good = 0, GoodTimestamped = 1, NoSignature = 10, DigestMismatch = 11, Failed = 12, NotRun = -1 };
std::ostream& operator<<(std::ostream& os, Ossl v) {
  switch (v) {
    case Ossl::Good: return os << "signature ok";
    case Ossl::GoodTimestamped: return os << "signature and timestamp ok";
    case Ossl::NoSignature: return os << "no signature";
    case Ossl::DigestMismatch: return os << "digest mismatch";
    case Ossl::Failed: return os << "verification failed";
    case Ossl::NotRun: break;
  }
  return os << "osslsigncode did not run";
}

Ossl VerifyWithOsslsigncode(const std::string& path, const std::string& ca_unix, std::string* log) {
  std::string tool = GetEnv("PAGEWICK_OSSLSIGNCODE");
  if (tool.empty()) tool = "osslsigncode";
  std::string out = UnixPath(path) + ".osslsigncode.txt";
  std::string trust = ca_unix.empty() ? "" : " -CAfile '" + ca_unix + "' -TSA-CAfile '" + ca_unix + "'";
  std::string script = "out=$('" + tool + "' verify" + trust + " -in '" + UnixPath(path) + "' 2>&1); rc=$?; " +
                       "printf '%s\\n' \"$out\" >'" + out + "'; " +
                       "case \"$out\" in *'No signature found'*) exit 10;; esac; " +
                       "printf '%s' \"$out\" | grep -q 'Calculated message digest.*MISMATCH' && exit 11; " +
                       "[ $rc -eq 0 ] && printf '%s' \"$out\" | grep -q 'Signature verification: ok' || exit 12; " +
                       "printf '%s' \"$out\" | grep -q 'Timestamp Server Signature verification: ok' && exit 1; exit 0";
  int code = RunUnix(script, 60000);
  if (log) ReadFileBytes(ToWindowsPath(out), log);
  switch (code) {
    case 0: return Ossl::Good;
    case 1: return Ossl::GoodTimestamped;
    case 10: return Ossl::NoSignature;
    case 11: return Ossl::DigestMismatch;
    case 12: return Ossl::Failed;
    default: return Ossl::NotRun;
  }
}

// Where a PE file's certificate table (its Authenticode signature) starts and how long it is;
// {0, 0} when it has none. PE32 only, which is what every file here is.
struct SecurityDirectory {
  DWORD offset_of_entry = 0;  // of the data directory entry itself
  DWORD offset = 0;
  DWORD size = 0;
};
bool FindSecurityDirectory(const std::string& image, SecurityDirectory* out) {
  if (image.size() < 0x40 || image.compare(0, 2, "MZ") != 0) return false;
  DWORD pe = 0;
  std::memcpy(&pe, image.data() + 0x3C, 4);
  if (pe + 24 + 136 > image.size() || image.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return false;
  WORD magic = 0;
  std::memcpy(&magic, image.data() + pe + 24, 2);
  if (magic != 0x10B) return false;
  out->offset_of_entry = pe + 24 + 96 + 4 * 8;
  std::memcpy(&out->offset, image.data() + out->offset_of_entry, 4);
  std::memcpy(&out->size, image.data() + out->offset_of_entry + 4, 4);
  return static_cast<unsigned long long>(out->offset) + out->size <= image.size();
}

class Authenticode : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.reset(new TempFolder("authenticode"));
    signed_ = GetEnv("PAGEWICK_SIGNED") == "ON";
    timestamped_ = !GetEnv("PAGEWICK_SIGN_TIMESTAMP").empty();
    ca_unix_ = GetEnv("PAGEWICK_SIGN_CA");
    // The program as shipped, beside the release folder (not a build made for other scenarios).
    std::string built = GetEnv("PAGEWICK_EXE", JoinPath(ThisExeFolder(), "..\\pagewick.exe"));
    exe_ = ToWindowsPath(GetEnv("PAGEWICK_SHIPPED_EXE", built));
    release_ = JoinPath(exe_.substr(0, exe_.find_last_of('\\')), "release");
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(JoinPath(release_, "pagewick-setup-*.exe").c_str(), &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "no setup program in " << release_;
    FindClose(h);
    setup_ = JoinPath(release_, fd.cFileName);
    if (!ca_unix_.empty()) ASSERT_TRUE(TrustTestRoot()) << "cannot trust " << ca_unix_ << " in this prefix";
  }

  void TearDown() override {
    if (!root_key_.empty()) RegDeleteKeyA(HKEY_CURRENT_USER, root_key_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kUninstallKey);
    char programs[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs)))
      DeleteFileA(JoinPath(programs, "Pagewick.lnk").c_str());
  }

  // The test CA becomes a root of this prefix only, as the certificate store keeps its roots
  // in the registry; the key goes again at the end of the test.
  bool TrustTestRoot() {
    std::string pem;
    if (!ReadFileBytes(ToWindowsPath(ca_unix_), &pem)) return false;
    DWORD size = 0;
    const DWORD pem_size = DWORD(pem.size());
    if (!CryptStringToBinaryA(pem.c_str(), pem_size, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr))
      return false;
    ca_der_.assign(size, '\0');
    BYTE* der = reinterpret_cast<BYTE*>(&ca_der_[0]);
    if (!CryptStringToBinaryA(pem.c_str(), pem_size, CRYPT_STRING_BASE64HEADER, der, &size, nullptr, nullptr))
      return false;
    ca_der_.resize(size);
    PCCERT_CONTEXT ca = CertCreateCertificateContext(X509_ASN_ENCODING, der, size);
    if (!ca) return false;
    BYTE sha1[20];
    DWORD sha1_size = sizeof sha1;
    bool ok = CertGetCertificateContextProperty(ca, CERT_SHA1_HASH_PROP_ID, sha1, &sha1_size) != FALSE;
    CertFreeCertificateContext(ca);
    if (!ok) return false;
    std::string key = kRootStore + Hex(sha1, sha1_size);
    HKEY h = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, &disposition) !=
        ERROR_SUCCESS)
      return false;
    // One stored property: the certificate itself (id 32), its flags (1) and its length.
    std::string blob;
    for (DWORD v : {DWORD(32), DWORD(1), DWORD(ca_der_.size())}) blob.append(reinterpret_cast<const char*>(&v), 4);
    blob += ca_der_;
    const BYTE* data = reinterpret_cast<const BYTE*>(blob.data());
    ok = RegSetValueExA(h, "Blob", 0, REG_BINARY, data, DWORD(blob.size())) == ERROR_SUCCESS;
    RegCloseKey(h);
    if (disposition == REG_CREATED_NEW_KEY) root_key_ = key;
    return ok;
  }

  // A copy of `from` in the test folder, changed by `change`.
  std::string ChangedCopy(const std::string& from, const std::string& name, void (*change)(std::string&)) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(from, &bytes)) << from;
    change(bytes);
    std::string to = folder_->File(name);
    EXPECT_TRUE(WriteFileBytes(to, bytes)) << to;
    return to;
  }

  // The publisher's signature as the system and osslsigncode see it; `what` names the file.
  void ExpectSignedByThePublisher(const std::string& path, const char* what, TrustReport* out = nullptr) {
    TrustReport r = VerifyWithSystem(path);
    EXPECT_EQ(r.result, 0) << what << ": WinVerifyTrust 0x" << std::hex << r.result;
    ASSERT_TRUE(r.signer) << what << ": no signer found";
    EXPECT_EQ(r.chain_errors, 0u) << what << ": the chain of " << r.signer_name << " is not trusted (status 0x"
                                  << std::hex << r.chain_errors << ")";
    EXPECT_EQ(r.chain_policy, 0u) << what << ": Authenticode chain policy 0x" << std::hex << r.chain_policy;
    if (!ca_der_.empty()) EXPECT_TRUE(r.root_der == ca_der_) << what << ": the chain does not end at " << ca_unix_;
    EXPECT_TRUE(r.code_signing) << what << ": " << r.signer_name << " is no code-signing certificate";
    EXPECT_EQ(r.digest, szOID_NIST_sha256) << what << ": the digest is not SHA-256";
    EXPECT_EQ(r.timestamp, timestamped_)
        << what << (timestamped_ ? ": no timestamp" : ": a timestamp nobody asked for");
    std::string log;
    EXPECT_EQ(VerifyWithOsslsigncode(path, ca_unix_, &log), timestamped_ ? Ossl::GoodTimestamped : Ossl::Good)
        << what << ": osslsigncode disagrees:\n" << log;
    if (out) *out = r;
  }

  std::unique_ptr<TempFolder> folder_;
  bool signed_ = false, timestamped_ = false;
  std::string ca_unix_, ca_der_, root_key_, exe_, release_, setup_;
};

#define SKIP_UNLESS_SIGNED() \
  if (!signed_) GTEST_SKIP() << "this build is not signed (no PAGEWICK_SIGN_CERT); the release run signs one"

TEST_F(Authenticode, ProgramAndSetupCarryThePublishersSignature) {
  SKIP_UNLESS_SIGNED();
  TrustReport program, setup;
  ExpectSignedByThePublisher(exe_, "pagewick.exe", &program);
  ExpectSignedByThePublisher(setup_, "the setup program", &setup);
  EXPECT_EQ(program.signer_thumbprint, setup.signer_thumbprint) << "one publisher signs both";

  // Live Update downloads the signed setup program: the configuration names its SHA-256.
  std::string config, installer, sha;
  ASSERT_TRUE(ReadFileBytes(JoinPath(release_, "pagewick.txt"), &config));
  ASSERT_TRUE(ReadFileBytes(setup_, &installer));
  pw::win32::BcryptSha256 hash;
  hash.Add(installer.data(), static_cast<unsigned long>(installer.size()));
  ASSERT_TRUE(hash.Finish(sha));
  std::string named = pw::ParseUpdateConfig(config).sha256;
  for (char& c : named) c = char(tolower(static_cast<unsigned char>(c)));
  for (char& c : sha) c = char(tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(named, sha);
}

TEST_F(Authenticode, OneChangedByteBreaksTheSignature) {
  SKIP_UNLESS_SIGNED();
  // A byte in the middle of what the signature covers: the program's code, setup's payload.
  auto flip = [](std::string& image) {
    SecurityDirectory dir;
    size_t end = FindSecurityDirectory(image, &dir) && dir.offset ? dir.offset : image.size();
    image[end / 2] = char(image[end / 2] ^ 0x01);
  };
  for (const std::string& file : {exe_, setup_}) {
    std::string name = file.substr(file.find_last_of('\\') + 1);
    std::string changed = ChangedCopy(file, "changed-" + name, flip);
    TrustReport r = VerifyWithSystem(changed);
    EXPECT_EQ(r.result, LONG(TRUST_E_BAD_DIGEST)) << name << ": WinVerifyTrust 0x" << std::hex << r.result;
    std::string log;
    EXPECT_EQ(VerifyWithOsslsigncode(changed, ca_unix_, &log), Ossl::DigestMismatch) << name << ":\n" << log;
  }
}

TEST_F(Authenticode, FileWithoutASignatureReportsNone) {
  // A signed build's files with their certificate table cut off; an unsigned build's as built.
  auto strip = [](std::string& image) {
    SecurityDirectory dir;
    if (!FindSecurityDirectory(image, &dir) || dir.offset == 0) return;
    image.resize(dir.offset);
    std::memset(&image[dir.offset_of_entry], 0, 8);
  };
  for (const std::string& file : {exe_, setup_}) {
    std::string name = file.substr(file.find_last_of('\\') + 1);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(file, &bytes));
    SecurityDirectory dir;
    ASSERT_TRUE(FindSecurityDirectory(bytes, &dir)) << name << " is no 32-bit PE file";
    EXPECT_EQ(dir.offset != 0, signed_) << name << (signed_ ? " carries no signature" : " carries a signature");
    std::string unsigned_copy = signed_ ? ChangedCopy(file, "unsigned-" + name, strip) : file;
    TrustReport r = VerifyWithSystem(unsigned_copy);
    EXPECT_EQ(r.result, LONG(TRUST_E_NOSIGNATURE)) << name << ": WinVerifyTrust 0x" << std::hex << r.result;
    EXPECT_FALSE(r.signer);
    std::string log;
    EXPECT_EQ(VerifyWithOsslsigncode(unsigned_copy, ca_unix_, &log), Ossl::NoSignature) << name << ":\n" << log;
  }
}

TEST_F(Authenticode, SetupWritesASignedUninstallerThatStillUninstalls) {
  SKIP_UNLESS_SIGNED();
  // Shortcuts would otherwise reach the Linux desktop menus through winemenubuilder.
  HKEY overrides = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &overrides, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(overrides, "winemenubuilder.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(overrides);
  }
  const std::string dir = folder_->File("inst");
  Process setup;
  ASSERT_TRUE(setup.Start(setup_, "/S /D=" + dir, folder_->path()));
  DWORD code = 1;
  ASSERT_TRUE(setup.WaitExit(kSetupMs, &code));
  ASSERT_EQ(code, 0u);

  std::string installed, built;
  ASSERT_TRUE(ReadFileBytes(JoinPath(dir, "pagewick.exe"), &installed));
  ASSERT_TRUE(ReadFileBytes(exe_, &built));
  EXPECT_TRUE(installed == built) << "setup installs the signed pagewick.exe as it is";
  const std::string uninstaller = JoinPath(dir, kUninstaller);
  TrustReport program, uninstall;
  ExpectSignedByThePublisher(JoinPath(dir, "pagewick.exe"), "the installed pagewick.exe", &program);
  ExpectSignedByThePublisher(uninstaller, "the uninstaller", &uninstall);
  EXPECT_EQ(uninstall.signer_thumbprint, program.signer_thumbprint);

  // The signature must not upset the uninstaller's own check of itself: it runs and removes.
  Process remove;
  ASSERT_TRUE(remove.Start(uninstaller, "/S", folder_->path()));
  ASSERT_TRUE(remove.WaitExit(kSetupMs));
  EXPECT_TRUE(WaitFor([&] { return !FileExists(JoinPath(dir, "pagewick.exe")) && !FileExists(uninstaller); }, kSetupMs))
      << "the signed uninstaller did not remove Pagewick";
}

}  // namespace
}  // namespace e2e
