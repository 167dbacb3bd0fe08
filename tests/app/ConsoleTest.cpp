// The window program answers --version and a bad command line wherever it
// was started from: through handles it was given, or, given none, on the
// console of the program that started it.
#include "tests/support/Wine.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

struct Outcome {
    DWORD exitCode = 0;
    std::string out;
};

HANDLE Inheritable(HANDLE handle)
{
    ::SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}

// Runs the program with `arguments`; with `pipe`, its standard output and
// error go to one pipe, read to the end. Without, it inherits nothing.
Outcome Start(const std::string& arguments, bool pipe)
{
    std::string line = "\"" VANEMARK_PROGRAM "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (pipe) {
        EXPECT_TRUE(::CreatePipe(&readEnd, &writeEnd, nullptr, 0));
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = Inheritable(writeEnd);
    }
    PROCESS_INFORMATION process{};
    Outcome run;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, pipe, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << line << ": error " << ::GetLastError();
        return run;
    }
    if (pipe) {
        ::CloseHandle(writeEnd);
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            run.out.append(buffer, got);
        }
        ::CloseHandle(readEnd);
    }
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return run;
}

std::string ConsoleText()
{
    const HANDLE screen = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    std::string text;
    if (::GetConsoleScreenBufferInfo(screen, &info)) {
        const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwCursorPosition.Y + 1);
        text.resize(cells);
        DWORD read = 0;
        ::ReadConsoleOutputCharacterA(screen, text.data(), cells, COORD{0, 0}, &read);
        text.resize(read);
    }
    ::CloseHandle(screen);
    return text;
}

} // namespace

TEST(Console, AnswersReachTheHandlesTheProgramWasGiven)
{
    const Outcome version = Start("--version", true);
    EXPECT_EQ(version.exitCode, 0U);
    EXPECT_EQ(version.out.rfind("Vanemark v", 0), 0U) << version.out;

    const Outcome refused = Start("--no-such-option", true);
    EXPECT_EQ(refused.exitCode, 2U);
    EXPECT_NE(refused.out.find("--no-such-option"), std::string::npos) << refused.out;
    EXPECT_NE(refused.out.find("Usage:"), std::string::npos) << refused.out;
}

// Given no handles, it writes on the console of whoever started it.
TEST(Console, WithoutHandlesAnswersOnTheParentsConsole)
{
    // Wine refuses a window program its parent's console (AttachConsole
    // fails there, and the text goes to a message box instead).
    if (vanemark::test::UnderWine()) {
        GTEST_SKIP() << "Wine does not attach a window program to its parent's console";
    }
    ::FreeConsole();
    ASSERT_TRUE(::AllocConsole());
    for (const DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        ::SetStdHandle(which, nullptr);
    }
    const Outcome attached = Start("--version", false);
    EXPECT_EQ(attached.exitCode, 0U);
    EXPECT_NE(ConsoleText().find("Vanemark v"), std::string::npos) << ConsoleText();
}
