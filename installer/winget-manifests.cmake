# Writes the Windows Package Manager (winget) manifests of the release's setup program into the
# release folder, as a multi-file manifest of schema 1.6.0: ID.yaml (version), ID.installer.yaml
# and ID.locale.en-US.yaml (default locale). They go to the winget community repository as
# manifests/<first letter>/<publisher>/<package>/<version>/, as they are.
# cmake -DSETUP=release/pagewick-setup-X.exe -DOUT_DIR=... -DID=Pagewick.Pagewick -DVERSION=...
#       -DURL=... -DPUBLISHER=... -DCOPYRIGHT=... -DWEBSITE=... -P winget-manifests.cmake
foreach(var SETUP OUT_DIR ID VERSION URL PUBLISHER COPYRIGHT WEBSITE)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "winget-manifests.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT EXISTS "${SETUP}")
  message(FATAL_ERROR "winget-manifests.cmake: no setup program at ${SETUP}")
endif()
set(schema 1.6.0)
# The setup program as it is published (signed, when it is): what winget checks the download with.
file(SHA256 "${SETUP}" sha)
string(TOUPPER "${sha}" sha)

# A YAML double-quoted scalar: text stays text ("1.10" is no number, "#" no comment).
function(yaml out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()
yaml(id "${ID}")
yaml(version "${VERSION}")
yaml(url "${URL}")
yaml(publisher "${PUBLISHER}")
yaml(copyright "${COPYRIGHT}")
yaml(website "${WEBSITE}")

function(write_manifest name type content)
  set(path "${OUT_DIR}/${name}")
  file(WRITE "${path}.tmp"
"# yaml-language-server: $schema=https://aka.ms/winget-manifest.${type}.${schema}.schema.json
PackageIdentifier: ${id}
PackageVersion: ${version}
${content}ManifestType: ${type}
ManifestVersion: ${schema}
")
  file(RENAME "${path}.tmp" "${path}")
endfunction()

write_manifest("${ID}.yaml" version
"DefaultLocale: en-US
")

# The setup program installs for the current user (no administrator rights); /S and /D= are
# the nullsoft switches winget passes. The uninstall entry it writes is HKCU ...\Uninstall\Pagewick.
write_manifest("${ID}.installer.yaml" installer
"UpgradeBehavior: install
ProductCode: \"Pagewick\"
AppsAndFeaturesEntries:
- DisplayName: \"Pagewick\"
  Publisher: ${publisher}
  DisplayVersion: ${version}
  ProductCode: \"Pagewick\"
Installers:
- Architecture: x86
  InstallerType: nullsoft
  Scope: user
  InstallModes:
  - interactive
  - silent
  InstallerUrl: ${url}
  InstallerSha256: \"${sha}\"
")

write_manifest("${ID}.locale.en-US.yaml" defaultLocale
"PackageLocale: en-US
Publisher: ${publisher}
PublisherUrl: ${website}
PackageName: \"Pagewick\"
PackageUrl: ${website}
License: \"Proprietary\"
Copyright: ${copyright}
ShortDescription: \"A small note editor whose one note waits in the notification area.\"
Description: \"Pagewick keeps one plain-text note in a window that hides in the notification area and comes back on a click or a global hotkey. It offers a plain editor's commands, Find and Replace, printing, spell checking, transparency, Always on Top and Run at Startup, in one small native program.\"
Moniker: pagewick
Tags:
- note
- notes
- notepad
- text-editor
- tray
")
message(STATUS "${OUT_DIR}: winget manifests of ${ID} ${VERSION}, InstallerSha256 ${sha}")
