#!/usr/bin/env python3
"""Reads back the winget manifests of the release folder and checks them against the winget
manifest schema (1.6.0 or later) and against the setup program beside them:

    check-winget.py RELEASE_DIR VERSION BASE_URL

RELEASE_DIR holds pagewick-setup-VERSION.exe, pagewick.txt (the Live Update configuration file)
and one multi-file manifest: ID.yaml (version), ID.installer.yaml, ID.locale.LOCALE.yaml
(default locale). Every field the schema requires must be there with a value of the right shape,
no field may be one the schema does not know (winget rejects those), and InstallerSha256 must be
the SHA-256 of the setup program, the same the configuration file names.
"""
import hashlib
import os
import re
import sys

import yaml

ID_PATTERN = re.compile(r'^[^.\s\\/:*?"<>|\x01-\x1f]{1,32}(\.[^.\s\\/:*?"<>|\x01-\x1f]{1,32}){1,7}$')
VERSION_PATTERN = re.compile(r'^[^\\/:*?"<>|\x01-\x1f]+$')
LOCALE_PATTERN = re.compile(r'^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$')
URL_PATTERN = re.compile(r'^[Hh][Tt][Tt][Pp][Ss]?://.+$')
SHA_PATTERN = re.compile(r'^[A-Fa-f0-9]{64}$')
SCHEMA_VERSION = re.compile(r'^(\d+)\.(\d+)\.(\d+)$')

COMMON = {'PackageIdentifier', 'PackageVersion', 'ManifestType', 'ManifestVersion'}
# The fields each manifest type knows (schema 1.6.0), and those it requires.
KNOWN = {
    'version': COMMON | {'DefaultLocale'},
    'installer': COMMON | {
        'Channel', 'InstallerLocale', 'Platform', 'MinimumOSVersion', 'InstallerType', 'NestedInstallerType',
        'NestedInstallerFiles', 'Scope', 'InstallModes', 'InstallerSwitches', 'InstallerSuccessCodes',
        'ExpectedReturnCodes', 'UpgradeBehavior', 'Commands', 'Protocols', 'FileExtensions', 'Dependencies',
        'PackageFamilyName', 'ProductCode', 'Capabilities', 'RestrictedCapabilities', 'Markets',
        'InstallerAbortsTerminal', 'ReleaseDate', 'InstallLocationRequired', 'RequireExplicitUpgrade',
        'DisplayInstallWarnings', 'UnsupportedOSArchitectures', 'UnsupportedArguments', 'AppsAndFeaturesEntries',
        'ElevationRequirement', 'InstallationMetadata', 'Installers'},
    'defaultLocale': COMMON | {
        'PackageLocale', 'Publisher', 'PublisherUrl', 'PublisherSupportUrl', 'PrivacyUrl', 'Author', 'PackageName',
        'PackageUrl', 'License', 'LicenseUrl', 'Copyright', 'CopyrightUrl', 'ShortDescription', 'Description',
        'Moniker', 'Tags', 'Agreements', 'ReleaseNotes', 'ReleaseNotesUrl', 'PurchaseUrl', 'InstallationNotes',
        'Documentations', 'Icons'},
}
REQUIRED = {
    'version': COMMON | {'DefaultLocale'},
    'installer': COMMON | {'Installers'},
    'defaultLocale': COMMON | {'PackageLocale', 'Publisher', 'PackageName', 'License', 'ShortDescription'},
}
INSTALLER_ENTRY = {
    'InstallerLocale', 'Platform', 'MinimumOSVersion', 'Architecture', 'InstallerType', 'NestedInstallerType',
    'NestedInstallerFiles', 'Scope', 'InstallerUrl', 'InstallerSha256', 'SignatureSha256', 'InstallModes',
    'InstallerSwitches', 'InstallerSuccessCodes', 'ExpectedReturnCodes', 'UpgradeBehavior', 'Commands', 'Protocols',
    'FileExtensions', 'Dependencies', 'PackageFamilyName', 'ProductCode', 'Capabilities', 'RestrictedCapabilities',
    'Markets', 'InstallerAbortsTerminal', 'ReleaseDate', 'InstallLocationRequired', 'RequireExplicitUpgrade',
    'DisplayInstallWarnings', 'UnsupportedOSArchitectures', 'UnsupportedArguments', 'AppsAndFeaturesEntries',
    'ElevationRequirement', 'InstallationMetadata'}
# Text fields of the default locale with the lengths the schema allows.
LENGTHS = {'Publisher': (2, 256), 'PackageName': (2, 256), 'License': (3, 512), 'ShortDescription': (3, 256),
           'Copyright': (3, 512), 'Description': (3, 10000)}

failures = []


def fail(message):
    failures.append(message)
    print('FAIL: ' + message)


def text(doc, key, where):
    value = doc.get(key)
    if not isinstance(value, str) or value == '':
        fail(f'{where}: {key} is {value!r}, not a text')
        return ''
    return value


def load(path):
    try:
        with open(path, encoding='utf-8') as f:
            doc = yaml.safe_load(f)
    except (OSError, yaml.YAMLError) as e:
        fail(f'{path}: {e}')
        return {}
    if not isinstance(doc, dict):
        fail(f'{path}: not a mapping')
        return {}
    return doc


def check_common(doc, kind, where, version):
    for key in sorted(REQUIRED[kind] - doc.keys()):
        fail(f'{where}: the required field {key} is missing')
    for key in sorted(doc.keys() - KNOWN[kind]):
        fail(f'{where}: {key} is no field of a {kind} manifest')
    if doc.get('ManifestType') != kind:
        fail(f"{where}: ManifestType is {doc.get('ManifestType')!r}, not {kind}")
    schema = SCHEMA_VERSION.match(str(doc.get('ManifestVersion', '')))
    if not schema or tuple(int(n) for n in schema.groups()) < (1, 6, 0):
        fail(f"{where}: ManifestVersion {doc.get('ManifestVersion')!r} is not 1.6.0 or later")
    if not ID_PATTERN.match(text(doc, 'PackageIdentifier', where)):
        fail(f"{where}: PackageIdentifier {doc.get('PackageIdentifier')!r} is not Publisher.Package")
    package_version = text(doc, 'PackageVersion', where)
    if not VERSION_PATTERN.match(package_version) or package_version != version:
        fail(f'{where}: PackageVersion {package_version!r} is not {version}')


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    folder, version, base = sys.argv[1:]
    setup_name = f'pagewick-setup-{version}.exe'
    with open(os.path.join(folder, setup_name), 'rb') as f:
        setup_sha = hashlib.sha256(f.read()).hexdigest()
    with open(os.path.join(folder, 'pagewick.txt'), 'rb') as f:
        config_lines = f.read().split(b'\r\n')
    config_sha = config_lines[3].decode('ascii', 'replace') if len(config_lines) > 3 else ''

    versions = [n for n in os.listdir(folder)
                if n.endswith('.yaml') and '.installer.' not in n and '.locale.' not in n]
    if len(versions) != 1:
        fail(f'{folder}: {len(versions)} version manifests ({versions}), not one')
        return 1
    package_id = versions[0][:-len('.yaml')]
    version_doc = load(os.path.join(folder, versions[0]))
    check_common(version_doc, 'version', versions[0], version)
    if version_doc.get('PackageIdentifier') != package_id:
        fail(f"{versions[0]}: PackageIdentifier {version_doc.get('PackageIdentifier')!r} is not its file name")
    locale = text(version_doc, 'DefaultLocale', versions[0])
    if not LOCALE_PATTERN.match(locale):
        fail(f'{versions[0]}: DefaultLocale {locale!r} is no language tag')

    installer_name = f'{package_id}.installer.yaml'
    installer = load(os.path.join(folder, installer_name))
    check_common(installer, 'installer', installer_name, version)
    entries = installer.get('Installers')
    if not isinstance(entries, list) or not entries:
        fail(f'{installer_name}: Installers is not a list of installers')
        entries = []
    for i, entry in enumerate(entries):
        where = f'{installer_name}: Installers[{i}]'
        if not isinstance(entry, dict):
            fail(f'{where} is not a mapping')
            continue
        for key in sorted(entry.keys() - INSTALLER_ENTRY):
            fail(f'{where}: {key} is no field of an installer')
        if entry.get('Architecture') not in ('x86', 'x64', 'arm', 'arm64', 'neutral'):
            fail(f"{where}: Architecture {entry.get('Architecture')!r}")
        elif entry['Architecture'] != 'x86':
            fail(f"{where}: Architecture {entry['Architecture']}, but pagewick.exe is a 32-bit x86 program")
        for key, expected in (('InstallerType', 'nullsoft'), ('Scope', 'user')):
            value = entry.get(key, installer.get(key))
            if value != expected:
                fail(f'{where}: {key} is {value!r}, not {expected}')
        url = text(entry, 'InstallerUrl', where)
        if not URL_PATTERN.match(url) or url != base + setup_name:
            fail(f'{where}: InstallerUrl {url!r} is not {base + setup_name}')
        sha = text(entry, 'InstallerSha256', where)
        if not SHA_PATTERN.match(sha):
            fail(f'{where}: InstallerSha256 {sha!r} is not 64 hex digits')
        elif sha.lower() != setup_sha:
            fail(f'{where}: InstallerSha256 {sha} is not the SHA-256 of {setup_name} ({setup_sha})')
        elif sha.lower() != config_sha:
            fail(f'{where}: InstallerSha256 {sha} differs from the one pagewick.txt names ({config_sha})')

    locale_name = f'{package_id}.locale.{locale}.yaml'
    default = load(os.path.join(folder, locale_name))
    check_common(default, 'defaultLocale', locale_name, version)
    if default.get('PackageLocale') != locale:
        fail(f"{locale_name}: PackageLocale {default.get('PackageLocale')!r} is not the default locale {locale}")
    for key, (low, high) in LENGTHS.items():
        if key in default:
            value = text(default, key, locale_name)
            if not low <= len(value) <= high:
                fail(f'{locale_name}: {key} has {len(value)} characters, not {low} to {high}')
    for key in ('PublisherUrl', 'PackageUrl', 'LicenseUrl', 'CopyrightUrl'):
        if key in default and not URL_PATTERN.match(str(default[key])):
            fail(f'{locale_name}: {key} {default[key]!r} is no http(s) address')
    for doc, name in ((installer, installer_name), (default, locale_name)):
        if doc.get('PackageIdentifier') != package_id:
            fail(f"{name}: PackageIdentifier {doc.get('PackageIdentifier')!r} is not {package_id}")

    if failures:
        return 1
    print(f'winget ok: {package_id} {version}, {len(entries)} installer(s), sha256 {setup_sha}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
