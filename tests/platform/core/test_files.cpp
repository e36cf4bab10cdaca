#include <gtest/gtest.h>

#include <filesystem>
#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <vyr/scripteduser.h>
#include <vyr/stdafx.h>
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

int CauseOfOpen(const std::string& path, UINT flags)
{
    try {
        CFile f(path.c_str(), flags);
    } catch (CFileException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

std::vector<std::string> Lines(const std::string& path)
{
    CStdioFile f;
    EXPECT_TRUE(f.Open(path.c_str(), CFile::modeRead | CFile::typeText));
    std::vector<std::string> out;
    CString line;
    while (f.ReadString(line)) out.push_back(line.GetString());
    f.Close();
    return out;
}

} // namespace

TEST(CFile, ReadWriteSeekAndLength)
{
    TempDir dir;
    std::string path = dir.File("data.bin");
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary);
    f.Write("hello world", 11);
    EXPECT_EQ(f.GetLength(), 11u);
    EXPECT_EQ(f.GetPosition(), 11u);
    EXPECT_EQ(f.Seek(-5, CFile::end), 6);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, sizeof buf), 5u); // short read at the end, no exception
    EXPECT_STREQ(buf, "world");
    f.SeekToBegin();
    EXPECT_EQ(f.Read(buf, 5), 5u);
    EXPECT_EQ(f.SeekToEnd(), 11u);
    EXPECT_EQ(f.Read(buf, 4), 0u);
    f.SetLength(5);
    EXPECT_EQ(f.GetLength(), 5u);
    EXPECT_EQ(f.GetFileName(), "data.bin");
    EXPECT_EQ(f.GetFileTitle(), "data");
    EXPECT_EQ(f.GetFilePath(), path.c_str());
    f.Close();
    EXPECT_FALSE(f.IsOpen());

    // Without modeCreate the file must exist; modeNoTruncate keeps the content.
    CFile g;
    ASSERT_TRUE(g.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    EXPECT_EQ(g.GetLength(), 5u);
    g.Close();
    ASSERT_TRUE(g.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(g.GetLength(), 0u);
}

TEST(CFile, FailuresReportTheirCause)
{
    TempDir dir;
    EXPECT_EQ(CauseOfOpen(dir.File("none.bin"), CFile::modeRead), CFileException::fileNotFound);
    EXPECT_EQ(CauseOfOpen(dir.File("nodir/x.bin"), CFile::modeCreate | CFile::modeWrite),
              CFileException::fileNotFound);
    EXPECT_EQ(CauseOfOpen(dir.Path().string(), CFile::modeRead), CFileException::accessDenied); // a folder

    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(dir.File("none.bin").c_str(), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(e.m_strFileName, dir.File("none.bin").c_str());
    CString msg = e.GetErrorMessage();
    EXPECT_NE(msg.Find("none.bin"), -1);

    // Writing into a file opened for reading throws.
    std::string path = dir.File("ro.bin");
    TempDir::WriteBytes(path, {1, 2});
    CFile r(path.c_str(), CFile::modeRead);
    int cause = -1;
    try {
        r.Write("x", 1);
    } catch (CFileException* ex) {
        cause = ex->m_cause;
        ex->Delete();
    }
    EXPECT_EQ(cause, CFileException::accessDenied);

    cause = -1;
    try {
        CFile::Remove(dir.File("none.bin").c_str());
    } catch (CFileException* ex) {
        cause = ex->m_cause;
        ex->Delete();
    }
    EXPECT_EQ(cause, CFileException::fileNotFound);
    CFile::Rename(path.c_str(), dir.File("ro2.bin").c_str());
    CFileStatus st;
    EXPECT_TRUE(CFile::GetStatus(dir.File("ro2.bin").c_str(), st));
    EXPECT_EQ(st.m_size, 2);
    EXPECT_FALSE(CFile::GetStatus(path.c_str(), st));
}

TEST(CStdioFile, ReadsLinesWithoutTheirEnds)
{
    TempDir dir;
    std::string path = dir.File("lines.txt");
    std::string text = "first\r\n\r\n钢梁 3\nlast";
    TempDir::WriteBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
    EXPECT_EQ(Lines(path), (std::vector<std::string>{"first", "", "钢梁 3", "last"}));

    std::string empty = dir.File("empty.txt");
    TempDir::WriteBytes(empty, {});
    EXPECT_TRUE(Lines(empty).empty());

    CStdioFile f(path.c_str(), CFile::modeRead);
    char buf[4];
    ASSERT_NE(f.ReadString(buf, sizeof buf), nullptr); // the first chunk of a long line
    EXPECT_STREQ(buf, "fir");
    ASSERT_NE(f.ReadString(buf, sizeof buf), nullptr);
    ASSERT_NE(f.ReadString(buf, sizeof buf), nullptr);
    EXPECT_STREQ(buf, "\n"); // the "\r\n" of the first line
}

TEST(CStdioFile, WritesTextAsGiven)
{
    TempDir dir;
    std::string path = dir.File("out.txt");
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("层号\t1\n");
        f.WriteString("end");
    } // closed by the destructor
    auto bytes = TempDir::ReadBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "层号\t1\nend");
    CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
    f.SeekToEnd();
    f.WriteString("\nmore");
    EXPECT_EQ(f.GetLength(), (DWORD)bytes.size() + 5);
}

TEST(CFileFind, MatchesWildcardsWithoutRegardToCase)
{
    TempDir dir;
    for (const char* n : {"a.txt", "B.TXT", "c.dat", "noext", "地震波.txt", "x.txt.bak"})
        TempDir::WriteBytes(dir.File(n), {});
    fs::create_directories(dir.Path() / "Sub");
    struct Case
    {
        const char* pattern;
        std::set<std::string> names;
    };
    const Case cases[] = {
        {"*.txt", {"a.txt", "B.TXT", "地震波.txt"}},
        {"?.TXT", {"a.txt", "B.TXT"}},
        {"???.txt", {"地震波.txt"}}, // ? is one character, not one byte
        {"*", {".", "..", "a.txt", "B.TXT", "c.dat", "noext", "地震波.txt", "x.txt.bak", "Sub"}},
        {"*.*", {".", "..", "a.txt", "B.TXT", "c.dat", "noext", "地震波.txt", "x.txt.bak", "Sub"}},
        {"noext", {"noext"}},
        {"*.none", {}},
        {"sub", {"Sub"}},
    };
    for (const Case& c : cases) {
        CFileFind ff;
        std::string pattern = dir.Path().string() + "/" + c.pattern;
        std::set<std::string> found;
        BOOL more = ff.FindFile(pattern.c_str());
        while (more) {
            more = ff.FindNextFile();
            found.insert(ff.GetFileName().GetString());
        }
        EXPECT_EQ(found, c.names) << c.pattern;
    }
}

TEST(CFileFind, PathsFollowThePatternAndFlagsAreRight)
{
    TempDir dir;
    std::string saved = VyrGetAppFolder();
    VyrSetAppFolder(dir.Path().string().c_str());
    fs::create_directories(dir.Path() / "Wave" / "Old");
    TempDir::WriteBytes(dir.File("Wave/El.txt"), {1, 2, 3});

    CFileFind ff;
    BOOL more = ff.FindFile("\\WAVE\\*.*");
    int files = 0, dirs = 0, dots = 0;
    while (more) {
        more = ff.FindNextFile();
        if (ff.IsDots()) {
            dots++;
            continue;
        }
        if (ff.IsDirectory()) {
            dirs++;
            EXPECT_EQ(ff.GetFilePath(), "\\WAVE\\Old");
        } else {
            files++;
            EXPECT_EQ(ff.GetFilePath(), "\\WAVE\\El.txt");
            EXPECT_EQ(ff.GetFileTitle(), "El");
            EXPECT_EQ(ff.GetLength(), 3u);
        }
    }
    EXPECT_EQ(files, 1);
    EXPECT_EQ(dirs, 1);
    EXPECT_EQ(dots, 2);
    EXPECT_FALSE(ff.FindNextFile()); // asking again past the end is harmless
    EXPECT_EQ(ff.GetFileName(), "Old");
    EXPECT_FALSE(ff.FindFile("\\Wave\\*.sec"));
    EXPECT_FALSE(ff.FindFile("\\NoSuch\\*.*"));
    VyrSetAppFolder(saved.c_str());
}

TEST(Exceptions, CatchMacrosFreeEachExceptionOnce)
{
    // Each style must neither leak nor free twice (the sanitizer build checks both).
    int seen = 0;
    TRY
    {
        AfxThrowFileException(CFileException::diskFull, 28, "a.dat");
    }
    CATCH(CFileException, e)
    {
        seen = e->m_cause;
    }
    END_CATCH
    EXPECT_EQ(seen, CFileException::diskFull);

    TRY
    {
        AfxThrowArchiveException(CArchiveException::badClass);
    }
    CATCH(CFileException, e)
    {
        seen = -1;
    }
    AND_CATCH(CArchiveException, e)
    {
        seen = e->m_cause;
        e->Delete(); // code that deletes inside the handler is safe too
    }
    END_CATCH
    EXPECT_EQ(seen, CArchiveException::badClass);

    // THROW_LAST hands the exception on; the outer catcher owns it.
    CException* outer = nullptr;
    try {
        TRY
        {
            AfxThrowMemoryException();
        }
        CATCH_ALL(e)
        {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        outer = e;
    }
    ASSERT_NE(outer, nullptr);
    EXPECT_TRUE(outer->IsKindOf(RUNTIME_CLASS(CMemoryException)));
    outer->Delete();

    // CATCH_ALL takes any exception of the library.
    const CRuntimeClass* caught = nullptr;
    TRY
    {
        AfxThrowUserException();
    }
    CATCH_ALL(e)
    {
        caught = e->GetRuntimeClass();
    }
    END_CATCH_ALL
    EXPECT_EQ(caught, RUNTIME_CLASS(CUserException));
}

TEST(Exceptions, MessagesAreCutSafely)
{
    CFileException e(CFileException::fileNotFound, 2, "钢.sec");
    char buf[256];
    ASSERT_TRUE(e.GetErrorMessage(buf, sizeof buf));
    EXPECT_NE(std::string(buf).find("钢.sec"), std::string::npos);
    char small[5];
    ASSERT_TRUE(e.GetErrorMessage(small, sizeof small));
    EXPECT_LE(std::strlen(small), 4u);
    EXPECT_EQ(std::strlen(small) % 3, 0u); // whole UTF-8 characters only
    EXPECT_FALSE(e.GetErrorMessage(nullptr, 0));
    EXPECT_EQ(CFileException::ErrnoToException(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::ErrnoToException(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::ErrnoToException(EACCES), CFileException::accessDenied);
}

TEST(Exceptions, ReportErrorShowsTheMessage)
{
    vyr::ScriptedUser::Reset();
    vyr::ScriptedUser::AnswerMessageBox(IDOK, "找不到文件");
    CFileException e(CFileException::fileNotFound, 2, "\\DataBase\\压型钢板库.pdb");
    EXPECT_EQ(e.ReportError(MB_ICONEXCLAMATION), IDOK);
    auto boxes = vyr::ScriptedUser::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.Find("压型钢板库.pdb"), -1);
    EXPECT_EQ(boxes[0].flags & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
    vyr::ScriptedUser::Reset();
}
