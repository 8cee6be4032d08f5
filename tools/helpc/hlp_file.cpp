#include "helpc/hlp_file.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "helpc/bplus_tree.h"
#include "helpc/bytes.h"
#include "helpc/context_hash.h"
#include "helpc/cp932_encode.h"
#include "helpc/hlp_format.h"
#include "helpc/topic_file.h"

namespace skimdex::helpc {
namespace {

using namespace hlp;

constexpr std::uint8_t kShiftJisCharset = 128;
constexpr std::uint16_t kJapanese = 0x0411;

// Every tree but the directory.
TreeFormat IndexTree(const char* structure) { return {structure, kTreePageSize, kTreeFlags}; }

void AppendRecord(std::string& out, std::uint16_t type, const std::string& data) {
  AppendU16(out, type);
  AppendU16(out, static_cast<std::uint32_t>(data.size()));
  out += data;
}

// `text` in a field of `size` bytes, NUL-padded.
std::string Padded(std::string text, std::size_t size) {
  text.resize(size, '\0');
  return text;
}

// The main window's definition, with only its type and name given: the viewer then takes the
// caption from the title. Without it Wine's viewer, started by a program's request before any file
// is open, keeps its own caption "Wine Help" for every file.
std::string MainWindowRecord() {
  constexpr std::uint16_t kTypeAndName = 0x0003;
  constexpr std::size_t kTypeSize = 10, kNameSize = 9, kCaptionSize = 51, kRestSize = 18;
  std::string data;
  AppendU16(data, kTypeAndName);
  data += Padded("primary", kTypeSize);
  data += Padded("main", kNameSize);
  // caption, then position, size, show state and both colours, all unused
  data.append(kCaptionSize + kRestSize, '\0');
  return data;
}

std::string SystemFile(const HelpDocument& document, std::uint32_t contents_offset) {
  std::string out;
  AppendU16(out, kSystemMagic);
  AppendU16(out, kSystemMinor);
  AppendU16(out, kSystemMajor);
  AppendU32(out, 0);  // no build time, so that a build is reproducible
  AppendU16(out, 0);  // flags: no compression
  std::string text;
  AppendStringZ(text, document.title);
  AppendRecord(out, kTitleRecord, text);
  text.clear();
  AppendStringZ(text, document.copyright);
  AppendRecord(out, kCopyrightRecord, text);
  text.clear();
  AppendU32(text, contents_offset);
  AppendRecord(out, kContentsRecord, text);
  AppendRecord(out, kWindowRecord, MainWindowRecord());
  std::string locale(8, '\0');  // compare flags, unused
  AppendU16(locale, kJapanese);
  AppendRecord(out, kLocaleRecord, locale);
  AppendRecord(out, kCharsetRecord, std::string(1, static_cast<char>(kShiftJisCharset)));
  return out;
}

// One face, three descriptors in the order of ParagraphStyle: title, heading, body.
std::string FontFile(const HelpDocument& document) {
  constexpr std::uint16_t kFaceSlot = 32;
  struct Descriptor {
    std::uint8_t attributes;
    std::uint8_t half_points;
  };
  constexpr Descriptor kDescriptors[] = {{1, 28}, {1, 22}, {0, 20}};
  std::string out;
  AppendU16(out, 1);
  AppendU16(out, std::size(kDescriptors));
  AppendU16(out, kFontHeaderSize);
  AppendU16(out, kFontHeaderSize + kFaceSlot);
  std::string face = document.font_face;
  face.resize(kFaceSlot, '\0');
  out += face;
  for (const Descriptor& descriptor : kDescriptors) {
    AppendU8(out, descriptor.attributes);
    AppendU8(out, descriptor.half_points);
    AppendU8(out, 3);     // swiss
    AppendU16(out, 0);    // face
    out.append(6, '\0');  // black; unused
  }
  return out;
}

std::string U32Key(std::uint32_t value) {
  std::string key;
  AppendU32(key, value);
  return key;
}

std::string ContextFile(const HelpDocument& document, const std::vector<std::uint32_t>& offsets) {
  std::vector<std::pair<std::int32_t, std::uint32_t>> pairs;
  for (std::size_t i = 0; i < document.topics.size(); ++i) {
    pairs.emplace_back(ContextHash(document.topics[i].context_id), offsets[i]);
  }
  std::sort(pairs.begin(), pairs.end());  // the reader compares the hashes as signed numbers
  std::vector<TreeEntry> entries;
  for (const auto& [hash, offset] : pairs) {
    const std::string key = U32Key(static_cast<std::uint32_t>(hash));
    entries.push_back({key, key + U32Key(offset)});
  }
  return BuildTree(IndexTree(kContextStructure), entries).bytes;
}

std::string MapFile(const HelpDocument& document, const std::vector<std::uint32_t>& offsets) {
  std::map<std::int32_t, std::uint32_t> map;
  for (std::size_t i = 0; i < document.topics.size(); ++i) {
    if (document.topics[i].map_number) map[*document.topics[i].map_number] = offsets[i];
  }
  std::string out;
  AppendU16(out, static_cast<std::uint32_t>(map.size()));
  for (const auto& [number, offset] : map) {
    AppendU32(out, static_cast<std::uint32_t>(number));
    AppendU32(out, offset);
  }
  return out;
}

// Keywords in the order the Windows index is thought to search: bytes with ASCII letters folded.
bool KeywordLess(const std::string& a, const std::string& b) {
  const auto fold = [](char c) {
    return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  };
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [&](char x, char y) { return fold(x) < fold(y); });
}

struct KeywordFiles {
  std::string tree, data, map;
};

KeywordFiles KeywordIndex(const HelpDocument& document, const std::vector<std::uint32_t>& offsets) {
  std::vector<std::pair<std::string, std::uint32_t>> keywords;
  for (std::size_t i = 0; i < document.topics.size(); ++i) {
    for (const Keyword& keyword : document.topics[i].keywords)
      keywords.emplace_back(keyword.text, offsets[i]);
  }
  std::sort(keywords.begin(), keywords.end(),
            [](const auto& a, const auto& b) { return KeywordLess(a.first, b.first); });
  KeywordFiles files;
  std::vector<TreeEntry> entries;
  for (const auto& [keyword, offset] : keywords) {
    std::string key;
    AppendStringZ(key, keyword);
    std::string leaf = key;
    AppendU16(leaf, 1);  // one topic per keyword
    AppendU32(leaf, static_cast<std::uint32_t>(files.data.size()));
    AppendU32(files.data, offset);
    entries.push_back({key, leaf});
  }
  const Tree tree = BuildTree(IndexTree(kKeywordStructure), entries);
  files.tree = tree.bytes;
  AppendU16(files.map, static_cast<std::uint32_t>(tree.leaves.size()));
  for (const LeafPage& leaf : tree.leaves) {
    AppendU32(files.map, leaf.first_entry);
    AppendU16(files.map, leaf.page);
  }
  return files;
}

std::string TitleFile(const HelpDocument& document, const std::vector<std::uint32_t>& offsets) {
  std::vector<TreeEntry> entries;
  for (std::size_t i = 0; i < document.topics.size(); ++i) {
    const std::string key = U32Key(offsets[i]);
    std::string leaf = key;
    AppendStringZ(leaf, document.topics[i].title);
    entries.push_back({key, leaf});
  }
  return BuildTree(IndexTree(kTitleStructure), entries).bytes;
}

void AppendInternalFile(std::string& out, const std::string& data, std::uint8_t flags) {
  AppendU32(out, static_cast<std::uint32_t>(data.size() + kFileHeaderSize));
  AppendU32(out, static_cast<std::uint32_t>(data.size()));
  AppendU8(out, flags);
  out += data;
}

// The container: a header, the internal files, and last the directory that finds them.
std::string Container(const std::map<std::string, std::string>& files) {
  std::string out(kContainerHeaderSize, '\0');
  std::vector<TreeEntry> directory;
  for (const auto& [name, data] : files) {  // std::map orders the names as strcmp does
    std::string key;
    AppendStringZ(key, name);
    directory.push_back({key, key + U32Key(static_cast<std::uint32_t>(out.size()))});
    AppendInternalFile(out, data, kPlainFileFlags);
  }
  const auto directory_offset = static_cast<std::uint32_t>(out.size());
  const TreeFormat directory_format{kDirectoryStructure, kDirectoryPageSize, kDirectoryTreeFlags};
  AppendInternalFile(out, BuildTree(directory_format, directory).bytes, kDirectoryFileFlags);
  std::string header;
  AppendU32(header, kContainerMagic);
  AppendU32(header, directory_offset);
  AppendU32(header, kNoFreeBlock);
  AppendU32(header, static_cast<std::uint32_t>(out.size()));
  out.replace(0, header.size(), header);
  return out;
}

std::string Cp932(const std::string& utf8) {
  Cp932Result result = Utf8ToCp932(utf8);
  if (!result.ok) throw std::runtime_error("text without a code page 932 form");  // the parser refuses it
  return std::move(result.bytes);
}

}  // namespace

HelpDocument InCodePage932(HelpDocument document) {
  for (std::string* text : {&document.title, &document.copyright, &document.font_face}) *text = Cp932(*text);
  for (Topic& topic : document.topics) {
    topic.title = Cp932(topic.title);
    for (Keyword& keyword : topic.keywords) keyword.text = Cp932(keyword.text);
    for (Paragraph& paragraph : topic.paragraphs) {
      for (Span& span : paragraph.spans) span.text = Cp932(span.text);
    }
  }
  return document;
}

std::string BuildHlpFile(const HelpDocument& utf8_document) {
  const HelpDocument document = InCodePage932(utf8_document);
  const TopicFile topics = BuildTopicFile(document.topics);
  const std::vector<std::uint32_t>& offsets = topics.topic_offsets;
  const KeywordFiles keywords = KeywordIndex(document, offsets);
  return Container({
      {"|CONTEXT", ContextFile(document, offsets)},
      {"|CTXOMAP", MapFile(document, offsets)},
      {"|FONT", FontFile(document)},
      {"|KWBTREE", keywords.tree},
      {"|KWDATA", keywords.data},
      {"|KWMAP", keywords.map},
      {"|SYSTEM", SystemFile(document, offsets.front())},
      {"|TOPIC", topics.bytes},
      {"|TTLBTREE", TitleFile(document, offsets)},
  });
}

std::string BuildContentsFile(const HelpDocument& utf8_document, const std::string& hlp_file_name) {
  const HelpDocument document = InCodePage932(utf8_document);
  std::string out = ":Base " + hlp_file_name + "\r\n:Title " + document.title + "\r\n";
  for (const Topic& topic : document.topics) out += "1 " + topic.title + "=" + topic.context_id + "\r\n";
  return out;
}

}  // namespace skimdex::helpc
