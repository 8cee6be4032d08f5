#include "text/text_file.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string_view>

#include "text/directory.h"
#include "text/path.h"
#include "text/utf8.h"

namespace skimdex {
namespace {

constexpr int kDiskFull = 101;
constexpr int kNotOpen = 103;
constexpr int kNotOpenForReading = 104;
constexpr int kNotOpenForWriting = 105;  // also an output whose type the platform cannot tell

thread_local int pending_io_error = 0;

// The test seam of FailWriteForTesting: writes counted since it was set, failing from `first` on.
struct WriteFailure {
  int first = 0;
  int code = 0;
  int writes = 0;
};
thread_local WriteFailure write_failure;

bool WriteFailsForTesting() {
  return write_failure.first > 0 && ++write_failure.writes >= write_failure.first;
}

void SetIoError(int code) { pending_io_error = code; }
void SetIoErrorFromPlatform() { SetIoError(static_cast<int>(GetLastError())); }

struct CodeMessage {
  int code;
  const char* message;
};

const CodeMessage kMessages[] = {
    // ファイルが見つかりません
    {2, "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},
    // 不正なファイル名です
    {3, "\x95\x73\x90\xB3\x82\xC8\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xC5\x82\xB7"},
    // オープンしたファイルが多すぎます
    {4,
     "\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xB5\x82\xBD\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x91\xBD\x82\xB7\x82\xAC\x82\xDC\x82\xB7"},
    // ファイルへのアクセスが拒否されました
    {5,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xD6\x82\xCC\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD"},
    // ファイルの末尾以降を読み込みました
    {100,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x96\x96\x94\xF6\x88\xC8\x8D\x7E\x82\xF0\x93\xC7\x82\xDD\x8D\x9E\x82\xDD\x82\xDC\x82\xB5\x82\xBD"},
    // ディスクがいっぱいです
    {101, "\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xAA\x82\xA2\x82\xC1\x82\xCF\x82\xA2\x82\xC5\x82\xB7"},
    // 入力値が数値ではありません
    {106,
     "\x93\xFC\x97\xCD\x92\x6C\x82\xAA\x90\x94\x92\x6C\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},
};
constexpr char kOtherErrorBefore[] = "I/O \x83\x47\x83\x89\x81\x5B (";  // I/O エラー (

// Indexed by TextFile::Access: reading, creating, appending, replacing (the temporary file).
const DWORD kRights[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE, GENERIC_WRITE};
const DWORD kDispositions[] = {OPEN_EXISTING, CREATE_ALWAYS, OPEN_EXISTING, CREATE_ALWAYS};

// The temporary file of a page being replaced lies beside it, named after it, so that a killed run
// leaves nothing a user cannot place; a name too long for that takes a short name of its own. Neither
// extension is one the walk lists.
constexpr char kTemporarySuffix[] = ".skimdex-tmp";
constexpr std::size_t kLongestName = 255;  // UTF-16 units in one name

std::string TemporaryNameFor(const std::string& target) {
  if (Utf16OfUtf8(FileNameOf(target) + kTemporarySuffix).size() <= kLongestName) {
    return target + kTemporarySuffix;
  }
  static std::atomic<unsigned> count{0};
  return FolderPartOf(target) + "~skimdex-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(count++) + ".tmp";
}

// A page that must not be replaced, refused as creating it in place would be refused on Windows: a
// folder at its name, or a read-only file.
int ReplacementRefusal(const std::string& target) {
  const DWORD attributes = GetFileAttributesW(SystemPath(target).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  return attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY) ? ERROR_ACCESS_DENIED : 0;
}

void Remove(const std::string& path) {
  const std::wstring system_path = SystemPath(path);
  SetFileAttributesW(system_path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(system_path.c_str());
}

// The written and flushed temporary file takes the page's place in one step, with the old page's
// attributes; until then the old page is whole.
bool Replace(const std::string& temporary, const std::string& target) {
  const std::wstring from = SystemPath(temporary), to = SystemPath(target);
  const DWORD old_attributes = GetFileAttributesW(to.c_str());
  if (old_attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(from.c_str(), old_attributes);
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool Seek(HANDLE handle, LONGLONG offset, DWORD origin) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  return SetFilePointerEx(handle, distance, nullptr, origin);
}

void RecordReadError(TextReader& reader) {
  if (const int error = reader.TakeReadError(); error != 0) SetIoError(error);
}

}  // namespace

void FileHandleTraits::Release(Handle handle) {
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

ReadResult TextFile::Read(char* buffer, std::size_t capacity) {
  DWORD got = 0;
  if (ReadFile(handle_.get(), buffer, static_cast<DWORD>(capacity), &got, nullptr)) return {got, 0};
  const DWORD error = GetLastError();
  // A writer that closed its end of a pipe has simply ended the data.
  return {0, error == ERROR_BROKEN_PIPE ? 0 : static_cast<int>(error)};
}

TextFile::~TextFile() { Abandon(); }

void TextFile::Open(Access access) {
  if (mode_ != Mode::Closed) CloseText(*this);
  Abandon();
  const bool reading = access == Access::Read;
  if (access == Access::Replace) {
    if (const int refusal = ReplacementRefusal(name_); refusal != 0) {
      SetIoError(refusal);
      return;
    }
    temporary_ = TemporaryNameFor(name_);
    Remove(temporary_);  // a killed run's leftover
  }
  const std::string& path = access == Access::Replace ? temporary_ : name_;
  const HANDLE handle =
      name_.empty()
          ? GetStdHandle(reading ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE)
          : CreateFileW(SystemPath(path).c_str(), kRights[static_cast<int>(access)], FILE_SHARE_READ, nullptr,
                        kDispositions[static_cast<int>(access)], FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    SetIoErrorFromPlatform();
    temporary_.clear();
    return;
  }
  handle_.reset(handle);
  if (reading) {
    mode_ = Mode::Reading;
    reader_.emplace(static_cast<ByteSource&>(*this));
    return;
  }
  // Appending never cuts the file at a Ctrl-Z: a title written before may hold that byte.
  if (access == Access::Append && !name_.empty() && !Seek(handle, 0, FILE_END)) {
    SetIoErrorFromPlatform();
    Abandon();
    return;
  }
  const DWORD type = GetFileType(handle);
  if (type == FILE_TYPE_UNKNOWN) {
    Abandon();
    SetIoError(kNotOpenForWriting);
    return;
  }
  mode_ = Mode::Writing;
  output_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  write_out_every_line_ = type == FILE_TYPE_CHAR;
}

bool TextFile::WriteOut() {
  const auto count = static_cast<DWORD>(std::exchange(output_count_, 0));
  if (count == 0) return true;
  if (WriteFailsForTesting()) {
    SetIoError(write_failure.code);
    return false;
  }
  DWORD written = 0;
  if (!WriteFile(handle_.get(), output_.get(), count, &written, nullptr)) {
    SetIoErrorFromPlatform();
    return false;
  }
  // A short write without an error means the disk is full; it must not pass for success.
  if (written != count) {
    SetIoError(kDiskFull);
    return false;
  }
  return true;
}

bool TextFile::Commit() {
  const bool flushed = FlushFileBuffers(handle_.get());
  if (!flushed) SetIoErrorFromPlatform();
  const bool closed = CloseHandle(handle_.release());
  if (flushed && !closed) SetIoErrorFromPlatform();
  if (!flushed || !closed) return false;
  if (!Replace(temporary_, name_)) {
    SetIoErrorFromPlatform();
    return false;
  }
  temporary_.clear();
  return true;
}

void TextFile::Abandon() {
  mode_ = Mode::Closed;
  reader_.reset();
  handle_.reset();
  if (!temporary_.empty()) Remove(std::exchange(temporary_, {}));
  output_count_ = 0;
  write_out_every_line_ = false;
}

void AssignText(TextFile& file, const std::string& name) {
  // Rebinding an open file must not leak its handle: the file would stay locked against writers.
  if (file.mode_ != TextFile::Mode::Closed) CloseText(file);
  file.Abandon();
  file.name_ = name;
}

void OpenTextForReading(TextFile& file) { file.Open(TextFile::Access::Read); }
void CreateTextForWriting(TextFile& file) { file.Open(TextFile::Access::Create); }
void CreateTextForReplacing(TextFile& file) { file.Open(TextFile::Access::Replace); }
void OpenTextForAppending(TextFile& file) { file.Open(TextFile::Access::Append); }

std::string_view ReadTextLineInPlace(TextFile& file) {
  if (file.mode_ != TextFile::Mode::Reading) {
    SetIoError(kNotOpenForReading);
    return {};
  }
  const std::string_view line = file.reader_->ReadTextLine();
  RecordReadError(*file.reader_);
  return line;
}

std::string ReadTextLine(TextFile& file) { return std::string(ReadTextLineInPlace(file)); }

bool AtEndSkippingBlanks(TextFile& file) {
  if (file.mode_ != TextFile::Mode::Reading) {
    SetIoError(kNotOpenForReading);
    return true;
  }
  const bool at_end = file.reader_->AtEndSkippingBlanks();
  RecordReadError(*file.reader_);
  return at_end;
}

void WriteText(TextFile& file, const std::string& text) {
  if (file.mode_ != TextFile::Mode::Writing) {
    SetIoError(kNotOpenForWriting);
    return;
  }
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t room = TextFile::kBufferSize - file.output_count_;
    const std::size_t count = std::min(room, rest.size());
    std::memcpy(file.output_.get() + file.output_count_, rest.data(), count);
    file.output_count_ += count;
    rest.remove_prefix(count);
    if (file.output_count_ == TextFile::kBufferSize) file.WriteOut();
  }
}

void WriteLineEnd(TextFile& file) {
  WriteText(file, "\r\n");
  if (file.mode_ == TextFile::Mode::Writing && file.write_out_every_line_) file.WriteOut();
}

void CloseText(TextFile& file) {
  if (file.mode_ == TextFile::Mode::Closed) {
    SetIoError(kNotOpen);
    return;
  }
  if (file.mode_ == TextFile::Mode::Writing && !file.WriteOut()) return;
  if (!file.temporary_.empty()) {
    file.Commit();
  } else if (!CloseHandle(file.handle_.release())) {
    SetIoErrorFromPlatform();
  }
  file.Abandon();
}

std::string IoErrorMessage(int code) {
  for (const CodeMessage& entry : kMessages) {
    if (entry.code == code) return entry.message;
  }
  return kOtherErrorBefore + std::to_string(code) + ")";
}

void CheckIo() {
  const int code = TakeIoError();
  if (code != 0) throw EInOutError(code, IoErrorMessage(code));
}

int TakeIoError() { return std::exchange(pending_io_error, 0); }

void FailWriteForTesting(int count, int code) { write_failure = {count, code, 0}; }

}  // namespace skimdex
