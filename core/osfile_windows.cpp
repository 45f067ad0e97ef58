// The file services on Windows: the Windows API with UTF-16 paths.

#include "core/osfile.h"

#include "core/inouterror.h"

#include <random>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace orvanta::os {

namespace {

std::wstring wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string narrow(const std::wstring& w) {
    if (w.empty())
        return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr,
                                        0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                          nullptr);
    return s;
}

HANDLE handleOf(std::intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

constexpr std::intptr_t NoHandle = -1;

std::intptr_t keep(HANDLE h) {
    return reinterpret_cast<std::intptr_t>(h);
}

TFileIdentity identityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber,
            (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// Readers and writers of other processes may go on while a file is open,
// and the file may be replaced under them, as on POSIX.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::size_t lastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

std::string nameOf(const std::string& path) {
    const auto sep = lastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string folderOf(const std::string& path) {
    const auto sep = lastSeparator(path);
    if (sep == std::string::npos)
        return ".";
    return path.substr(0, sep + 1);
}

bool writeAll(HANDLE h, const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(h, p, chunk, &written, nullptr))
            return false;
        p += written;
        size -= written;
    }
    return true;
}

std::string randomLetters(std::size_t n) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 gen{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof letters - 2);
    std::string s;
    for (std::size_t k = 0; k < n; ++k)
        s += letters[pick(gen)];
    return s;
}

std::uint64_t ticks(const FILETIME& t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

std::uint64_t nowTicks() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return ticks(now);
}

// A crash while passwords are held ends the process at once, before the
// system's error reporting can write the memory to a dump.
LONG WINAPI endWithoutReport(EXCEPTION_POINTERS*) {
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

int LastError() {
    return static_cast<int>(::GetLastError());
}

int InOutCode(int err) {
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return IoFileNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_PRIVILEGE_NOT_HELD:
    case ERROR_PIPE_BUSY: // a pipe in place of the file
        return IoAccessDenied;
    default:
        return IoSystemError + err;
    }
}

const char* Explanation(int err) {
    switch (err) {
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE:
        return "Lese- oder Schreibfehler des Datenträgers";
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
        return "das Gerät ist nicht verfügbar";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return "nicht genügend Arbeitsspeicher";
    case ERROR_BUSY:
        return "die Datei oder das Gerät ist belegt";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return "die Datei ist bereits vorhanden";
    case ERROR_NOT_SAME_DEVICE:
        return "Verschieben zwischen Datenträgern nicht möglich";
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_NAME:
        return "ungültiger Zugriff";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "zu viele geöffnete Dateien";
    case ERROR_FILE_TOO_LARGE:
        return "die Datei ist zu groß";
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return "kein Speicherplatz auf dem Datenträger";
    case ERROR_FILENAME_EXCED_RANGE:
        return "der Dateiname ist zu lang";
    case 1295: // ERROR_DISK_QUOTA_EXCEEDED, missing from MinGW's headers
        return "das Speicherkontingent ist erschöpft";
    case ERROR_SEM_TIMEOUT:
        return "Zeitüberschreitung";
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETWORK_UNREACHABLE:
        return "die Netzwerkverbindung ist unterbrochen";
    default:
        return nullptr;
    }
}

int NotARegularFileError() {
    return ERROR_ACCESS_DENIED;
}

TFileStatus StatusOf(const std::string& path) {
    TFileStatus status;
    // No access rights asked: looking must work on any file, and a folder
    // opens only with backup semantics.
    const HANDLE h = ::CreateFileW(wide(path).c_str(), 0, ShareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return status;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(h, &info)) {
        status.Kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? TFileKind::Directory
                      : ::GetFileType(h) == FILE_TYPE_DISK               ? TFileKind::Regular
                                                                         : TFileKind::Other;
        status.Identity = identityOf(info);
        status.Links = info.nNumberOfLinks;
    } else {
        status.Kind = ::GetFileType(h) == FILE_TYPE_DISK ? TFileKind::Regular : TFileKind::Other;
    }
    ::CloseHandle(h);
    return status;
}

TFile::~TFile() {
    if (FHandle != NoHandle)
        ::CloseHandle(handleOf(FHandle));
}

bool TFile::fail() {
    FError = LastError();
    if (FError == 0)
        FError = ERROR_IO_DEVICE;
    return false;
}

bool TFile::Open(const std::string& path, Access access) {
    const DWORD rights = access == Access::Read        ? GENERIC_READ
                         : access == Access::ReadWrite ? GENERIC_READ | GENERIC_WRITE
                                                       : GENERIC_WRITE;
    const std::wstring name = wide(path);
    // A file marked read-only is never opened for writing, whoever asks
    // (Wine would let root through).
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (access != Access::Read && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY)) {
        FError = ERROR_ACCESS_DENIED;
        return false;
    }
    const HANDLE h = ::CreateFileW(name.c_str(), rights, ShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return fail();
    // A pipe, console or device of that name is refused before any read.
    if (::GetFileType(h) != FILE_TYPE_DISK) {
        ::CloseHandle(h);
        FError = NotARegularFileError();
        return false;
    }
    FHandle = keep(h);
    return true;
}

bool TFile::IsOpen() const {
    return FHandle != NoHandle;
}

long TFile::Read(void* buf, std::size_t size) {
    if (FHandle == NoHandle) {
        FError = ERROR_INVALID_HANDLE;
        return -1;
    }
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD got = 0;
    if (!::ReadFile(handleOf(FHandle), buf, chunk, &got, nullptr)) {
        fail();
        return -1;
    }
    return static_cast<long>(got);
}

bool TFile::WriteFully(const void* buf, std::size_t size) {
    return writeAll(handleOf(FHandle), buf, size) || fail();
}

bool TFile::Truncate(std::uint64_t size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    return (::SetFilePointerEx(handleOf(FHandle), at, nullptr, FILE_BEGIN) &&
            ::SetEndOfFile(handleOf(FHandle))) ||
           fail();
}

bool TFile::Sync() {
    return ::FlushFileBuffers(handleOf(FHandle)) || fail();
}

bool TFile::Close() {
    if (FHandle == NoHandle)
        return true;
    const HANDLE h = handleOf(FHandle);
    FHandle = NoHandle;
    return ::CloseHandle(h) || fail();
}

TFileIdentity TFile::Identity() const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (FHandle == NoHandle || !::GetFileInformationByHandle(handleOf(FHandle), &info))
        return {};
    return identityOf(info);
}

void ReplaceContent(const std::string& path, const void* data, std::size_t size) {
    const std::wstring target = wide(path);

    // A write-protected file is refused, and so is what is no regular file:
    // a device or pipe ("\\.\...") is never replaced by one.
    if (path.size() >= 4 && (path[0] == '\\' || path[0] == '/') &&
        (path[1] == '\\' || path[1] == '/') && (path[2] == '.' || path[2] == '?'))
        ThrowInOutError(IoAccessDenied);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        ThrowInOutError(IoAccessDenied);
    if (exists && StatusOf(path).Kind != TFileKind::Regular)
        ThrowInOutError(IoAccessDenied);
    if (exists) {
        // A program that holds the file open without letting it be replaced
        // is found before anything is written (Wine's ReplaceFileW would
        // leave a file of its own behind).
        const HANDLE probe =
            ::CreateFileW(target.c_str(), DELETE, ShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
        if (probe == INVALID_HANDLE_VALUE)
            ThrowInOutErrno(LastError());
        ::CloseHandle(probe);
    }

    std::wstring temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        temp = wide(path + "." + randomLetters(6) + ".tmp");
        // Nobody else opens the temporary file while it is written.
        h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (h == INVALID_HANDLE_VALUE) {
        const int err = LastError();
        // A folder the user may not create files in, with a writable file: in place.
        if (exists && err == ERROR_ACCESS_DENIED) {
            RewriteInPlace(path, data, size);
            return;
        }
        ThrowInOutErrno(err);
    }

    const auto abandon = [&](int err) {
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
        ::DeleteFileW(temp.c_str());
        ThrowInOutErrno(err);
    };
    if (!writeAll(h, data, size) || !::FlushFileBuffers(h))
        abandon(LastError());
    const HANDLE written = h;
    h = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(written))
        abandon(LastError());

    // ReplaceFileW gives the new content the old file's attributes and
    // access rights (the attributes are set beforehand as well: Wine's
    // ReplaceFileW drops them); a new file is simply moved into place. Both
    // leave the old file whole when they fail.
    if (exists)
        ::SetFileAttributesW(temp.c_str(),
                             attributes &
                                 (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    const bool replaced =
        exists ? ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
               : ::MoveFileExW(temp.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!replaced)
        abandon(LastError());
}

int RemoveStaleTempFiles(const std::string& path, std::chrono::seconds minAge) {
    const std::string folder = folderOf(path);
    const std::string base = nameOf(path);
    const std::wstring folderW = wide(folder);
    WIN32_FIND_DATAW entry;
    const HANDLE find = ::FindFirstFileW(
        (folderW + (folder.back() == '/' || folder.back() == '\\' ? L"*" : L"\\*")).c_str(),
        &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    const std::uint64_t now = nowTicks();
    const std::uint64_t minTicks = static_cast<std::uint64_t>(minAge.count()) * 10000000ull;
    int removed = 0;
    do {
        const std::string name = narrow(entry.cFileName);
        // Folders and links of that name are no files of ours. The folder's
        // access rights decide whose files may go: Windows has no owner test
        // as simple as POSIX's, and these names are made by this program only.
        if (!IsTempNameOf(name, base) ||
            (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            continue;
        const std::uint64_t written = ticks(entry.ftLastWriteTime);
        if (now > written && now - written < minTicks)
            continue;
        if (now <= written && minTicks > 0)
            continue;
        const std::wstring full = folderW +
                                  (folder.back() == '/' || folder.back() == '\\' ? L"" : L"\\") +
                                  entry.cFileName;
        if (::DeleteFileW(full.c_str()))
            ++removed;
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return removed;
}

void SecureZero(void* p, std::size_t n) {
    ::SecureZeroMemory(p, n);
}

TDumpSettings DisableCoreDumps() {
    TDumpSettings s;
    s.Saved = true;
    s.Values[0] = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::SetErrorMode(static_cast<UINT>(s.Values[0]) | SEM_NOGPFAULTERRORBOX);
    s.Previous = reinterpret_cast<void*>(::SetUnhandledExceptionFilter(endWithoutReport));
    return s;
}

void RestoreCoreDumps(const TDumpSettings& previous) {
    if (!previous.Saved)
        return;
    ::SetUnhandledExceptionFilter(
        reinterpret_cast<LPTOP_LEVEL_EXCEPTION_FILTER>(previous.Previous));
    ::SetErrorMode(static_cast<UINT>(previous.Values[0]));
}

bool CoreDumpsDisabled() {
    const LPTOP_LEVEL_EXCEPTION_FILTER current = ::SetUnhandledExceptionFilter(nullptr);
    ::SetUnhandledExceptionFilter(current);
    return current == endWithoutReport;
}

namespace {

// The byte the lock covers lies far behind any content, so that readers of
// the content are never stopped by Windows' mandatory byte-range locks.
constexpr DWORD LockOffsetHigh = 0x7fffffff;

} // namespace

TLockedFile::~TLockedFile() {
    Close();
}

TLockedFile::Result TLockedFile::Create(const std::string& path, unsigned) {
    Close();
    const HANDLE h = ::CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, ShareAll,
                                   nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        FError = LastError();
        return FError == ERROR_FILE_EXISTS ? Result::Exists : Result::Failed;
    }
    FHandle = keep(h);
    return Result::Held;
}

TLockedFile::Result TLockedFile::OpenExisting(const std::string& path) {
    Close();
    const std::wstring w = wide(path);
    HANDLE h = ::CreateFileW(w.c_str(), GENERIC_READ | GENERIC_WRITE, ShareAll, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED)
        h = ::CreateFileW(w.c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        FError = LastError();
        return Result::Failed;
    }
    if (::GetFileType(h) != FILE_TYPE_DISK) {
        ::CloseHandle(h);
        FError = NotARegularFileError();
        return Result::Failed;
    }
    FHandle = keep(h);
    return Result::Held;
}

TLockedFile::Result TLockedFile::Lock() {
    OVERLAPPED at{};
    at.OffsetHigh = LockOffsetHigh;
    if (::LockFileEx(handleOf(FHandle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                     0, &at))
        return Result::Held;
    FError = LastError();
    return FError == ERROR_LOCK_VIOLATION || FError == ERROR_IO_PENDING ? Result::Busy
                                                                        : Result::Failed;
}

std::string TLockedFile::Content() {
    char buf[4096];
    OVERLAPPED at{};
    DWORD got = 0;
    if (!::ReadFile(handleOf(FHandle), buf, sizeof buf, &got, &at))
        return {};
    return std::string(buf, got);
}

bool TLockedFile::Write(const std::string& text) {
    const HANDLE h = handleOf(FHandle);
    LARGE_INTEGER start{};
    return ::SetFilePointerEx(h, start, nullptr, FILE_BEGIN) && ::SetEndOfFile(h) &&
           writeAll(h, text.data(), text.size());
}

bool TLockedFile::NamedBy(const std::string& path) const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (FHandle == NoHandle || !::GetFileInformationByHandle(handleOf(FHandle), &info))
        return false;
    const TFileStatus named = StatusOf(path);
    return named.Kind != TFileKind::Missing && named.Identity == identityOf(info);
}

double TLockedFile::AgeSeconds() const {
    FILETIME written;
    if (FHandle == NoHandle || !::GetFileTime(handleOf(FHandle), nullptr, nullptr, &written))
        return 0;
    return (static_cast<double>(nowTicks()) - static_cast<double>(ticks(written))) / 1e7;
}

void TLockedFile::RemoveAndClose(const std::string& path) {
    if (NamedBy(path))
        ::DeleteFileW(wide(path).c_str());
    Close();
}

void TLockedFile::Close() {
    if (FHandle != NoHandle)
        ::CloseHandle(handleOf(FHandle));
    FHandle = NoHandle;
}

bool TLockedFile::IsOpen() const {
    return FHandle != NoHandle;
}

std::string SharedLockFolder() {
    // The folder for data of all users, the same for every writer.
    wchar_t buf[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableW(L"ProgramData", buf, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return narrow(std::wstring(buf, n));
    return "C:\\ProgramData";
}

} // namespace orvanta::os
