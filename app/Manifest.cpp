#include "app/Manifest.h"

namespace pw {

std::string AddBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + "\\";
}

std::string ManifestPath(const IApp& app) {
    return AddBackslash(app.Path()) + app.ExeName() + ".exe.MANIFEST";
}

const std::string& ManifestText() {
    static const std::string text = [] {
        static const char* const lines[] = {
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>",
            "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">",
            "<assemblyIdentity type=\"win32\" processorArchitecture=\"*\" version=\"6.0.0.0\" name=\"name\"/>",
            "<description>Pagewick</description>",
            "<dependency>",
            "   <dependentAssembly>",
            "      <assemblyIdentity",
            "           type=\"win32\"",
            "           name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
            "           language=\"*\"",
            "           processorArchitecture=\"*\"",
            "         publicKeyToken=\"6595b64144ccf1df\"",
            "      />",
            "   </dependentAssembly>",
            "</dependency>",
            "</assembly>",
        };
        std::string s;
        for (const char* line : lines) {
            s += line;
            s += "\r\n";
        }
        return s;
    }();
    return text;
}

ManifestOutcome EnsureManifest(IApp& app, IFileSystem& fs) {
    const std::string path = ManifestPath(app);
    if (fs.FileReadable(path)) return ManifestOutcome::Present;
    if (fs.WriteFile(path, ManifestText()).failed) {
        // The program still gets visual styles from the manifest built into the executable.
        return ManifestOutcome::NotWritten;
    }
    fs.SetAttributes(path, 1 | 2);  // read-only, hidden
    // The fresh copy starts as this one was asked to ("/background" at logon stays hidden).
    // When it cannot be started this process goes on: better without the manifest's effect
    // than with nothing running.
    if (!app.Launch(AddBackslash(app.Path()) + app.ExeName() + ".exe", app.Command()))
        return ManifestOutcome::NotRelaunched;
    app.ExitProcess(1);
    return ManifestOutcome::Relaunched;
}

}  // namespace pw
