// The clipboard: its Unicode text, and everything it holds kept aside and put back (Check
// Spelling with Word carries the note through the clipboard and leaves the user's own there).
#include "platform/win32/Win32System.h"

#include <cstring>
#include <cwchar>

namespace pw::win32 {

namespace {

// A clipboard manager or a remote-desktop session may hold the clipboard open for a moment
// after another program changed it: a few short tries before giving up.
bool OpenClipboardSoon() {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (::OpenClipboard(nullptr)) return true;
        ::Sleep(20);
    }
    return false;
}

// The most a saved clipboard may hold: a screen's picture in two forms fits.
constexpr std::size_t kMaxSavedBytes = 64u << 20;

// Formats whose data is a handle the clipboard cannot hand to another owner as bytes. Each of
// these comes with a form that is bytes (a bitmap with its DIB, which the system makes), or is
// drawn by its owner on request and means nothing without it.
bool KeptAsBytes(UINT format) {
    switch (format) {
        case CF_BITMAP:
        case CF_PALETTE:
        case CF_OWNERDISPLAY:
        case CF_DSPBITMAP:
        case CF_DSPMETAFILEPICT:
        case CF_DSPENHMETAFILE:
            return false;
        default:
            return !(format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) &&
                   !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
    }
}

// The bytes of one format's data; false when they cannot be read.
bool CopyOut(UINT format, HANDLE h, std::string& data) {
    if (format == CF_ENHMETAFILE) {
        const UINT n = ::GetEnhMetaFileBits(static_cast<HENHMETAFILE>(h), 0, nullptr);
        if (n == 0 || n > kMaxSavedBytes) return false;
        data.assign(n, '\0');
        return ::GetEnhMetaFileBits(static_cast<HENHMETAFILE>(h), n, reinterpret_cast<BYTE*>(&data[0])) == n;
    }
    const SIZE_T size = ::GlobalSize(h);
    if (size > kMaxSavedBytes) return false;
    const void* p = ::GlobalLock(h);
    if (!p) return size == 0;
    bool ok = true;
    if (format == CF_METAFILEPICT && size >= sizeof(METAFILEPICT)) {
        // The picture's header, then its metafile's bits.
        METAFILEPICT pict;
        std::memcpy(&pict, p, sizeof pict);
        const UINT n = ::GetMetaFileBitsEx(pict.hMF, 0, nullptr);
        ok = n > 0 && n <= kMaxSavedBytes;
        if (ok) {
            data.assign(sizeof pict + n, '\0');
            std::memcpy(&data[0], &pict, sizeof pict);
            ok = ::GetMetaFileBitsEx(pict.hMF, n, &data[sizeof pict]) == n;
        }
    } else {
        data.assign(static_cast<const char*>(p), size);
    }
    ::GlobalUnlock(h);
    return ok;
}

HGLOBAL GlobalCopy(const void* bytes, std::size_t size) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!h) return nullptr;
    if (void* p = ::GlobalLock(h)) {
        if (size) std::memcpy(p, bytes, size);
        ::GlobalUnlock(h);
        return h;
    }
    ::GlobalFree(h);
    return nullptr;
}

// Puts one saved format on the (open, emptied) clipboard; false when it is not taken.
bool PutBack(const ClipboardContents::Format& f) {
    if (f.id == CF_ENHMETAFILE) {
        HENHMETAFILE emf = ::SetEnhMetaFileBits(static_cast<UINT>(f.data.size()),
                                                reinterpret_cast<const BYTE*>(f.data.data()));
        if (emf && ::SetClipboardData(f.id, emf)) return true;
        if (emf) ::DeleteEnhMetaFile(emf);
        return false;
    }
    HGLOBAL h = nullptr;
    HMETAFILE wmf = nullptr;
    if (f.id == CF_METAFILEPICT) {
        if (f.data.size() <= sizeof(METAFILEPICT)) return false;
        METAFILEPICT pict;
        std::memcpy(&pict, f.data.data(), sizeof pict);
        wmf = ::SetMetaFileBitsEx(static_cast<UINT>(f.data.size() - sizeof pict),
                                  reinterpret_cast<const BYTE*>(f.data.data()) + sizeof pict);
        if (!wmf) return false;
        pict.hMF = wmf;
        h = GlobalCopy(&pict, sizeof pict);
    } else {
        h = GlobalCopy(f.data.data(), f.data.size());
    }
    if (h && ::SetClipboardData(f.id, h)) return true;
    if (h) ::GlobalFree(h);
    if (wmf) ::DeleteMetaFile(wmf);
    return false;
}

}  // namespace

bool Win32Clipboard::ReadText(std::string& text) {
    text.clear();
    if (!OpenClipboardSoon()) return false;
    bool read = false;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
            text = Utf16ToUtf8(reinterpret_cast<const char16_t*>(p), ::wcsnlen(p, ::GlobalSize(h) / sizeof(wchar_t)));
            read = true;
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return read;
}

bool Win32Clipboard::SetText(const std::string& text) {
    if (!OpenClipboardSoon()) return false;
    bool put = false;
    if (::EmptyClipboard()) {
        const std::u16string wide = Utf8ToUtf16(text);
        if (HGLOBAL h = GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(char16_t))) {
            put = ::SetClipboardData(CF_UNICODETEXT, h) != nullptr;
            if (!put) ::GlobalFree(h);
        }
    }
    ::CloseClipboard();
    return put;
}

bool Win32Clipboard::Save(ClipboardContents& contents) {
    contents.formats.clear();
    if (!OpenClipboardSoon()) return false;
    bool ok = true;
    std::size_t total = 0;
    for (UINT format = ::EnumClipboardFormats(0); format && ok; format = ::EnumClipboardFormats(format)) {
        if (!KeptAsBytes(format)) continue;
        // Data its owner was to render on request and did not: there is nothing to keep.
        HANDLE h = ::GetClipboardData(format);
        if (!h) continue;
        ClipboardContents::Format kept;
        kept.id = format;
        ok = CopyOut(format, h, kept.data) && (total += kept.data.size()) <= kMaxSavedBytes;
        if (ok) contents.formats.push_back(std::move(kept));
    }
    ::CloseClipboard();
    if (!ok) contents.formats.clear();
    return ok;
}

bool Win32Clipboard::Restore(const ClipboardContents& contents) {
    if (!OpenClipboardSoon()) return false;
    bool ok = ::EmptyClipboard() != 0;
    for (const ClipboardContents::Format& f : contents.formats) {
        if (!ok) break;
        ok = PutBack(f);
    }
    ::CloseClipboard();
    return ok;
}

}  // namespace pw::win32
