// Notes in any script: the box's UTF-16 and the program's UTF-8, the note file's encodings
// (mark on reading; ANSI while it fits, else UTF-8, on writing), Open...'s guess, the limits
// in characters of the box, and a note that comes back across a restart.
#include <gtest/gtest.h>

#include "app/frmPagewick.h"
#include "fakes/fake_platform.h"
#include "fakes/main_window_fixture.h"
#include "platform/MenuIds.h"
#include "platform/TextCodec.h"
#include "storage/NoteEncoding.h"
#include "storage/NoteLimits.h"
#include "storage/Recovery.h"

namespace pw {
namespace {

const ICodePage& cp = Windows1252();
const std::string kMark = "\xEF\xBB\xBF";
const std::string kWorld = "\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1 "
                           "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE6\x9D\xB1\xE4\xBA\xAC "
                           "\xF0\x9F\x98\x80 \xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7";   // Łódź Ελλάδα Привет 東京 😀 مرحبا
const std::string kCafe = "caf\xC3\xA9";   // café

std::string Write(const std::string& text, TextEncoding was, TextEncoding* used = nullptr) {
    std::string bytes;
    const TextEncoding e = EncodeText(text, was, cp, bytes);
    if (used) *used = e;
    return bytes;
}

// ---------------------------------------------------------------- the box's text

TEST(TextCodec, Utf16AndUtf8CarryEveryCharacterBothWays) {
    const std::u16string wide = Utf8ToUtf16(kWorld);
    EXPECT_EQ(Utf16ToUtf8(wide), kWorld);
    EXPECT_EQ(Utf16Length(kWorld), wide.size());
    EXPECT_EQ(Utf16Length("\xF0\x9F\x98\x80"), 2u) << "an emoji is a surrogate pair in the box";

    // A lone surrogate travels as itself, so the box's text comes back unchanged...
    const std::u16string lone = {u'a', 0xD800, u'b', 0xDC01};
    const std::string carried = Utf16ToUtf8(lone);
    EXPECT_EQ(Utf8ToUtf16(carried), lone);
    EXPECT_FALSE(IsValidUtf8(carried));
    // ... but a UTF-8 file gets U+FFFD for it.
    EXPECT_EQ(StrictUtf8(carried), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(TextCodec, BoxPositionsMapToByteOffsetsAndBack) {
    // "aé東😀b": units 0 1 2 3(pair)5 6; bytes 0 1 3 6 10 11
    const std::u16string w = Utf8ToUtf16("a\xC3\xA9\xE6\x9D\xB1\xF0\x9F\x98\x80" "b");
    ASSERT_EQ(w.size(), 6u);
    const size_t units[] = {0, 1, 2, 3, 5, 6};
    const size_t bytes[] = {0, 1, 3, 6, 10, 11};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Utf8OffsetOfUnits(w.data(), w.size(), units[i]), bytes[i]) << i;
        EXPECT_EQ(UnitsOfUtf8Offset(w.data(), w.size(), bytes[i]), units[i]) << i;
    }
    EXPECT_EQ(Utf8OffsetOfUnits(w.data(), w.size(), 4), 6u) << "inside the pair: from its start";
    EXPECT_EQ(UnitsOfUtf8Offset(w.data(), w.size(), 8), 3u) << "inside a character: from its start";
    EXPECT_EQ(Utf8OffsetOfUnits(w.data(), w.size(), 99), 11u);
    EXPECT_EQ(UnitsOfUtf8Offset(w.data(), w.size(), 99), 6u);
}

// ---------------------------------------------------------------- the note file

TEST(NoteEncoding, ReadsByTheMarkAloneAndAMarkWithNothingElseIsAnEmptyNote) {
    std::string text;
    EXPECT_EQ(DecodeNoteFile("", cp, text), TextEncoding::Ansi);
    EXPECT_EQ(text, "");
    EXPECT_EQ(DecodeNoteFile(kMark, cp, text), TextEncoding::Utf8);
    EXPECT_EQ(text, "");
    EXPECT_EQ(DecodeNoteFile("\xFF\xFE", cp, text), TextEncoding::Utf16LE);
    EXPECT_EQ(text, "");
    EXPECT_EQ(DecodeNoteFile("\xFE\xFF", cp, text), TextEncoding::Utf16BE);
    EXPECT_EQ(text, "");

    EXPECT_EQ(DecodeNoteFile(kMark + kWorld, cp, text), TextEncoding::Utf8);
    EXPECT_EQ(text, kWorld);
    EXPECT_EQ(DecodeNoteFile(std::string("\xFE\xFF\x04\x1F\xD8\x3D\xDE\x00", 8), cp, text), TextEncoding::Utf16BE);
    EXPECT_EQ(text, "\xD0\x9F\xF0\x9F\x98\x80");
    // Valid UTF-8 without a mark is still ANSI for the note file: no guessing.
    EXPECT_EQ(DecodeNoteFile(kCafe, cp, text), TextEncoding::Ansi);
    EXPECT_EQ(text, "caf\xC3\x83\xC2\xA9");
    // An odd last byte of UTF-16 stays visible.
    EXPECT_EQ(DecodeNoteFile(std::string("\xFF\xFEh\0i", 5), cp, text), TextEncoding::Utf16LE);
    EXPECT_EQ(text, "h\xEF\xBF\xBD");
}

TEST(NoteEncoding, EveryAnsiByteComesBackAsItWas) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::string text;
    ASSERT_EQ(DecodeNoteFile(all, cp, text), TextEncoding::Ansi);
    TextEncoding used;
    EXPECT_EQ(Write(text, TextEncoding::Ansi, &used), all);
    EXPECT_EQ(used, TextEncoding::Ansi);
    EXPECT_EQ(Utf16Length(text), 255u) << "one character of the box each";
}

TEST(NoteEncoding, AnsiWhileItFitsThenUtf8WithItsMarkAndUtf8Stays) {
    TextEncoding used;
    EXPECT_EQ(Write("my " + kCafe + " note", TextEncoding::Ansi, &used), "my caf\xE9 note");
    EXPECT_EQ(used, TextEncoding::Ansi);
    // One character more that the code page has no code for.
    const std::string grown = "my " + kCafe + " note\xD0\x9F";
    EXPECT_EQ(Write(grown, TextEncoding::Ansi, &used), kMark + grown);
    EXPECT_EQ(used, TextEncoding::Utf8);
    // A note read as UTF-8 is written as UTF-8 even once its text fits ANSI again.
    EXPECT_EQ(Write(kCafe, TextEncoding::Utf8, &used), kMark + kCafe);
    EXPECT_EQ(used, TextEncoding::Utf8);
    // A lone surrogate has no ANSI code either.
    EXPECT_EQ(Write("x\xED\xA0\x80", TextEncoding::Ansi, &used), kMark + "x\xEF\xBF\xBD");
}

TEST(NoteEncoding, Utf16StaysUtf16WithItsMarkAndItsLoneSurrogates) {
    std::string text;
    const std::string le("\xFF\xFE" "a\0\x00\xD8" "b\0\x3D\xD8\x00\xDE", 12);
    ASSERT_EQ(DecodeNoteFile(le, cp, text), TextEncoding::Utf16LE);
    EXPECT_EQ(Write(text, TextEncoding::Utf16LE), le);
    const std::string be("\xFE\xFF\0a\x04\x1F", 6);
    ASSERT_EQ(DecodeNoteFile(be, cp, text), TextEncoding::Utf16BE);
    EXPECT_EQ(Write(text, TextEncoding::Utf16BE), be);
}

TEST(NoteEncoding, LineBreaksAreLeftAsTheyAreInEveryEncoding) {
    const std::string text = "a\r\nb\nc\rd\r\n\r\n";
    for (TextEncoding e : {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        std::string back;
        EXPECT_EQ(DecodeNoteFile(Write(text, e), cp, back), e);
        EXPECT_EQ(back, text) << static_cast<int>(e);
        EXPECT_EQ(Write("", e), "") << "an empty note is an empty file";
    }
}

TEST(NoteEncoding, OpenAlsoKnowsUtf8WithoutAMarkButNotWithAStrayByte) {
    std::string text;
    EXPECT_EQ(DecodeOpenedFile(kWorld, cp, text), TextEncoding::Utf8);
    EXPECT_EQ(text, kWorld);
    EXPECT_EQ(DecodeOpenedFile("plain ascii", cp, text), TextEncoding::Ansi);
    const std::string stray = kWorld + "\xE9";   // one Latin-1 byte in UTF-8 text
    EXPECT_EQ(DecodeOpenedFile(stray, cp, text), TextEncoding::Ansi);
    EXPECT_EQ(Utf16Length(text), stray.size());
    EXPECT_EQ(DecodeOpenedFile("\xED\xA0\x80", cp, text), TextEncoding::Ansi) << "an encoded surrogate";
    EXPECT_EQ(DecodeOpenedFile("\xC0\xAF", cp, text), TextEncoding::Ansi) << "an overlong form";
    EXPECT_EQ(DecodeOpenedFile(std::string("\xFF\xFEz\0", 4), cp, text), TextEncoding::Utf16LE);
    EXPECT_EQ(text, "z");
}

// ---------------------------------------------------------------- limits and the recovery copy

TEST(NoteEncoding, LimitsCountCharactersOfTheBox) {
    std::string line;
    for (size_t i = 0; i < kMaxLineChars; ++i) line += "\xD0\x96";   // Ж: two bytes, one character
    NoteFit f = CheckNoteFits(line);
    EXPECT_TRUE(f.fits());
    EXPECT_EQ(f.longestLine, kMaxLineChars);
    EXPECT_FALSE(CheckNoteFits(line + "\xD0\x96").fits());
    EXPECT_EQ(CheckNoteFits("\xF0\x9F\x98\x80\r\n").size, 4u) << "an emoji takes two";
}

TEST(NoteEncoding, RecoveryCopyIsAnsiWhileItFitsAndComesBackEitherWay) {
    fake::FileSystem fs;
    const std::string note = "C:\\P\\pagewick.txt", copy = "C:\\P\\pagewick.recover";
    Recovery r(fs, note, cp);
    r.Baseline("");
    r.Update(kCafe);
    EXPECT_EQ(fs.files[copy], "caf\xE9");
    r.Update(kWorld);
    EXPECT_EQ(fs.files[copy], kMark + kWorld);
    std::string back, why;
    Recovery next(fs, note, cp);
    ASSERT_TRUE(next.Pending("", back, why));
    EXPECT_EQ(back, kWorld);
    EXPECT_EQ(why, "");
}

// ---------------------------------------------------------------- across a restart

class UnicodeNote : public fake::MainWindowTest {
protected:
    const std::string kNote = "C:\\Programs\\Pagewick\\pagewick.txt";
    std::string Restart() {
        main.reset();
        EXPECT_TRUE(Start());
        return main->txtNote().Text();
    }
};

TEST_F(UnicodeNote, PastedScriptsSurviveExitAndRestartAndAnsiNotesStayAnsi) {
    f.fs.files[kNote] = "caf\xE9";
    ASSERT_TRUE(Start());
    EXPECT_EQ(main->txtNote().Text(), kCafe);
    main->txtNote().SetSelText("!");
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], "caf\xE9!") << "a note that fits stays ANSI, byte for byte";

    EXPECT_EQ(Restart(), kCafe + "!");
    main->txtNote().SetSelText(" " + kWorld);
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], kMark + kCafe + "! " + kWorld);
    EXPECT_EQ(Restart(), kCafe + "! " + kWorld);

    // Back to text ANSI could hold: the note stays UTF-8.
    main->txtNote().SetText("plain");
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], kMark + "plain");
}

TEST_F(UnicodeNote, AUtf16NoteIsWrittenBackAsUtf16) {
    f.fs.files[kNote] = std::string("\xFF\xFE\x1F\x04", 4);   // П
    ASSERT_TRUE(Start());
    EXPECT_EQ(main->txtNote().Text(), "\xD0\x9F");
    main->txtNote().SetSelText("a");
    main->Command(mnuExit);
    EXPECT_EQ(f.fs.files[kNote], std::string("\xFF\xFE\x1F\x04" "a\0", 6));
}

}  // namespace
}  // namespace pw
