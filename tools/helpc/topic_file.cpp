#include "helpc/topic_file.h"

#include <stdexcept>

#include "helpc/bytes.h"
#include "helpc/context_hash.h"

namespace skimdex::helpc {
namespace {

constexpr std::size_t kBlockSize = 4096;
constexpr std::size_t kBlockHeader = 12;
constexpr std::size_t kBlockData = kBlockSize - kBlockHeader;
constexpr std::size_t kLinkHeader = 21;
constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::uint8_t kTopicHeader = 2;
constexpr std::uint8_t kTextRecord = 0x20;

// Formatting commands.
constexpr char kFont = '\x80';
constexpr char kEndOfParagraph = '\x82';
constexpr char kJump = '\xE3';
constexpr char kEndOfJump = '\x89';
constexpr char kEnd = '\xFF';

// Paragraph spacing in half-points: above, below.
struct Spacing {
  int above;
  int below;
};

Spacing SpacingOf(ParagraphStyle style) {
  switch (style) {
    case ParagraphStyle::kTitle:
      return {0, 12};
    case ParagraphStyle::kHeading:
      return {12, 4};
    case ParagraphStyle::kBody:
      break;
  }
  return {0, 6};
}

// Position in the stream of block data, without the block headers.
std::uint32_t TopicPos(std::size_t stream_offset) {
  return static_cast<std::uint32_t>(stream_offset / kBlockData * 0x4000 + kBlockHeader +
                                    stream_offset % kBlockData);
}

struct PlacedLink {
  LinkData data;
  std::size_t start = 0;  // stream offset
  std::size_t topic = 0;
};

// Places every link so that its header and data1 stay in one block; data2 may run on.
void Place(std::vector<PlacedLink>& links) {
  std::size_t cursor = 0;
  for (PlacedLink& link : links) {
    const std::size_t head = kLinkHeader + link.data.data1.size();
    if (head > kBlockData) throw std::runtime_error("paragraph formatting larger than a block");
    if (kBlockData - cursor % kBlockData < head) cursor += kBlockData - cursor % kBlockData;
    link.start = cursor;
    cursor += head + link.data.data2.size();
  }
}

std::string TopicHeaderData1(std::uint32_t size, std::uint32_t number, std::uint32_t first_text,
                             std::uint32_t next_header) {
  std::string data;
  AppendU32(data, size);
  AppendU32(data, kNone);  // no browse sequence
  AppendU32(data, kNone);
  AppendU32(data, number);
  AppendU32(data, kNone);  // no non-scrolling region
  AppendU32(data, first_text);
  AppendU32(data, next_header);
  return data;
}

std::vector<PlacedLink> LinksOf(const std::vector<Topic>& topics) {
  std::vector<PlacedLink> links;
  for (std::size_t i = 0; i < topics.size(); ++i) {
    links.push_back({{kTopicHeader, TopicHeaderData1(0, 0, 0, 0), topics[i].title}, 0, i});
    for (const Paragraph& paragraph : topics[i].paragraphs) links.push_back({TextRecord(paragraph), 0, i});
  }
  links.push_back({{kTopicHeader, {}, {}}, 0, topics.size()});  // the terminator
  return links;
}

// Fills the topic headers' data1 now that every link has its place.
void LinkTopicHeaders(std::vector<PlacedLink>& links) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i + 1 < links.size(); ++i) {
    if (links[i].data.type != kTopicHeader) continue;
    std::size_t next = i + 1;
    while (links[next].data.type != kTopicHeader) ++next;
    std::uint32_t size = 0;
    for (std::size_t j = i; j < next; ++j) {
      size +=
          static_cast<std::uint32_t>(kLinkHeader + links[j].data.data1.size() + links[j].data.data2.size());
    }
    const std::uint32_t first_text = next > i + 1 ? TopicPos(links[i + 1].start) : kNone;
    links[i].data.data1 = TopicHeaderData1(size, number++, first_text, TopicPos(links[next].start));
  }
}

std::string LinkHeader(const std::vector<PlacedLink>& links, std::size_t i) {
  const LinkData& data = links[i].data;
  std::string header;
  AppendU32(header, static_cast<std::uint32_t>(kLinkHeader + data.data1.size() + data.data2.size()));
  AppendU32(header, static_cast<std::uint32_t>(data.data2.size()));
  AppendU32(header, i == 0 ? kNone : TopicPos(links[i - 1].start));
  AppendU32(header, i + 1 == links.size() ? kNone : TopicPos(links[i + 1].start));
  AppendU32(header, static_cast<std::uint32_t>(kLinkHeader + data.data1.size()));
  AppendU8(header, data.type);
  return header;
}

// Block header: last link and last topic header started in an earlier block, first link in this one.
std::string BlockHeader(const std::vector<PlacedLink>& links, std::size_t block) {
  const std::size_t begin = block * kBlockData;
  std::uint32_t last_link = kNone, first_link = kNone, last_header = kNone;
  for (const PlacedLink& link : links) {
    if (link.start < begin) {
      last_link = TopicPos(link.start);
      if (link.data.type == kTopicHeader) last_header = last_link;
    } else if (link.start < begin + kBlockData && first_link == kNone) {
      first_link = TopicPos(link.start);
    }
  }
  std::string header;
  AppendU32(header, last_link);
  AppendU32(header, first_link);
  AppendU32(header, last_header);
  return header;
}

// Topic offsets: the block of the topic header, plus the data2 sizes of the text records that
// start earlier in that block.
std::vector<std::uint32_t> TopicOffsets(const std::vector<PlacedLink>& links) {
  std::vector<std::uint32_t> offsets;
  std::size_t block = 0;
  std::uint32_t text_in_block = 0;
  for (std::size_t i = 0; i + 1 < links.size(); ++i) {
    if (links[i].start / kBlockData != block) {
      block = links[i].start / kBlockData;
      text_in_block = 0;
    }
    if (links[i].data.type == kTopicHeader) {
      offsets.push_back(static_cast<std::uint32_t>(block * 0x8000 + text_in_block));
    } else {
      text_in_block += static_cast<std::uint32_t>(links[i].data.data2.size());
    }
  }
  return offsets;
}

}  // namespace

void AppendCompressedUnsignedShort(std::string& out, std::uint32_t value) {
  if (value >= 0x8000) throw std::runtime_error("paragraph text too long");
  if (value < 0x80) {
    AppendU8(out, value * 2);
  } else {
    AppendU16(out, value * 2 + 1);
  }
}

void AppendCompressedSignedShort(std::string& out, std::int32_t value) {
  if (value >= -0x40 && value < 0x40) {
    AppendU8(out, static_cast<std::uint32_t>(value + 0x40) * 2);
  } else {
    AppendU16(out, static_cast<std::uint32_t>(value + 0x4000) * 2 + 1);
  }
}

void AppendCompressedSignedLong(std::string& out, std::int32_t value) {
  // The four-byte form is read differently by different readers, so only the two-byte form is used.
  if (value < -0x4000 || value >= 0x4000) throw std::runtime_error("formatting too long");
  AppendU16(out, static_cast<std::uint32_t>(value + 0x4000) * 2);
}

LinkData TextRecord(const Paragraph& paragraph) {
  const Spacing spacing = SpacingOf(paragraph.style);
  std::string commands;
  AppendU8(commands, 0);
  AppendU8(commands, 0x80);
  AppendU16(commands, 0);
  AppendU16(commands, (spacing.above ? 0x02 : 0) | (spacing.below ? 0x04 : 0));
  if (spacing.above) AppendCompressedSignedShort(commands, spacing.above);
  if (spacing.below) AppendCompressedSignedShort(commands, spacing.below);
  std::string strings(1, '\0');  // the empty string before the font command
  commands += kFont;
  AppendU16(commands, static_cast<std::uint32_t>(paragraph.style));  // the style's font
  for (const Span& span : paragraph.spans) {
    if (span.jump_target.empty()) {
      strings += span.text;
      continue;
    }
    strings += '\0';
    commands += kJump;
    AppendU32(commands, static_cast<std::uint32_t>(ContextHash(span.jump_target)));
    strings += span.text + '\0';
    commands += kEndOfJump;
  }
  strings += '\0';
  commands += kEndOfParagraph;
  strings += '\0';  // the empty string before the end
  commands += kEnd;

  std::string data1;
  // Two compressed numbers: the formatting size (counted with these numbers, whose forms are fixed)
  // and the text size.
  std::string text_size;
  AppendCompressedUnsignedShort(text_size, static_cast<std::uint32_t>(strings.size()));
  AppendCompressedSignedLong(data1, static_cast<std::int32_t>(2 + text_size.size() + commands.size()));
  return {kTextRecord, data1 + text_size + commands, strings};
}

TopicFile BuildTopicFile(const std::vector<Topic>& topics) {
  std::vector<PlacedLink> links = LinksOf(topics);
  Place(links);
  LinkTopicHeaders(links);

  std::string stream;
  for (std::size_t i = 0; i < links.size(); ++i) {
    stream.resize(links[i].start, '\0');
    stream += LinkHeader(links, i) + links[i].data.data1 + links[i].data.data2;
  }
  // The reader copies whole blocks, the last one included.
  const std::size_t blocks = (stream.size() + kBlockData - 1) / kBlockData;
  stream.resize(blocks * kBlockData, '\0');

  TopicFile file;
  for (std::size_t block = 0; block < blocks; ++block) {
    file.bytes += BlockHeader(links, block);
    file.bytes.append(stream, block * kBlockData, kBlockData);
  }
  file.topic_offsets = TopicOffsets(links);
  return file;
}

}  // namespace skimdex::helpc
