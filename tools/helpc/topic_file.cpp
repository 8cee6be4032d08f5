#include "helpc/topic_file.h"

#include <stdexcept>

#include "helpc/bytes.h"
#include "helpc/context_hash.h"
#include "helpc/hlp_format.h"

namespace skimdex::helpc {
namespace {

using namespace hlp;

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
  return static_cast<std::uint32_t>(stream_offset / kTopicBlockDataSize * kTopicPosPerBlock +
                                    kTopicBlockHeaderSize + stream_offset % kTopicBlockDataSize);
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
    const std::size_t head = kLinkHeaderSize + link.data.data1.size();
    if (head > kTopicBlockDataSize) throw std::runtime_error("paragraph formatting larger than a block");
    const std::size_t room = kTopicBlockDataSize - cursor % kTopicBlockDataSize;
    if (room < head) cursor += room;  // to the next block
    link.start = cursor;
    cursor += head + link.data.data2.size();
  }
}

std::string TopicHeaderData1(std::uint32_t size, std::uint32_t number, std::uint32_t first_text,
                             std::uint32_t next_header) {
  std::string data;
  AppendU32(data, size);
  AppendU32(data, kNoLink);  // no browse sequence
  AppendU32(data, kNoLink);
  AppendU32(data, number);
  AppendU32(data, kNoLink);  // no non-scrolling region
  AppendU32(data, first_text);
  AppendU32(data, next_header);
  return data;
}

std::vector<PlacedLink> LinksOf(const std::vector<Topic>& topics) {
  std::vector<PlacedLink> links;
  for (std::size_t i = 0; i < topics.size(); ++i) {
    links.push_back({{kTopicHeaderLink, TopicHeaderData1(0, 0, 0, 0), topics[i].title}, 0, i});
    for (const Paragraph& paragraph : topics[i].paragraphs) links.push_back({TextRecord(paragraph), 0, i});
  }
  links.push_back({{kTopicHeaderLink, {}, {}}, 0, topics.size()});  // the terminator
  return links;
}

// Fills the topic headers' data1 now that every link has its place.
void LinkTopicHeaders(std::vector<PlacedLink>& links) {
  std::uint32_t number = 0;
  for (std::size_t i = 0; i + 1 < links.size(); ++i) {
    if (links[i].data.type != kTopicHeaderLink) continue;
    std::size_t next = i + 1;
    while (links[next].data.type != kTopicHeaderLink) ++next;
    std::uint32_t size = 0;
    for (std::size_t j = i; j < next; ++j) {
      size += static_cast<std::uint32_t>(kLinkHeaderSize + links[j].data.data1.size() +
                                         links[j].data.data2.size());
    }
    const std::uint32_t first_text = next > i + 1 ? TopicPos(links[i + 1].start) : kNoLink;
    links[i].data.data1 = TopicHeaderData1(size, number++, first_text, TopicPos(links[next].start));
  }
}

std::string LinkHeader(const std::vector<PlacedLink>& links, std::size_t i) {
  const LinkData& data = links[i].data;
  std::string header;
  AppendU32(header, static_cast<std::uint32_t>(kLinkHeaderSize + data.data1.size() + data.data2.size()));
  AppendU32(header, static_cast<std::uint32_t>(data.data2.size()));
  AppendU32(header, i == 0 ? kNoLink : TopicPos(links[i - 1].start));
  AppendU32(header, i + 1 == links.size() ? kNoLink : TopicPos(links[i + 1].start));
  AppendU32(header, static_cast<std::uint32_t>(kLinkHeaderSize + data.data1.size()));
  AppendU8(header, data.type);
  return header;
}

// Block header: last link and last topic header started in an earlier block, first link in this one.
std::string BlockHeader(const std::vector<PlacedLink>& links, std::size_t block) {
  const std::size_t begin = block * kTopicBlockDataSize;
  std::uint32_t last_link = kNoLink, first_link = kNoLink, last_header = kNoLink;
  for (const PlacedLink& link : links) {
    if (link.start < begin) {
      last_link = TopicPos(link.start);
      if (link.data.type == kTopicHeaderLink) last_header = last_link;
    } else if (link.start < begin + kTopicBlockDataSize && first_link == kNoLink) {
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
    if (links[i].start / kTopicBlockDataSize != block) {
      block = links[i].start / kTopicBlockDataSize;
      text_in_block = 0;
    }
    if (links[i].data.type == kTopicHeaderLink) {
      offsets.push_back(static_cast<std::uint32_t>(block * kTopicOffsetPerBlock + text_in_block));
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
  AppendU8(commands, kParagraphInfo);
  AppendU16(commands, 0);
  AppendU16(commands, (spacing.above ? kSpaceAboveBit : 0) | (spacing.below ? kSpaceBelowBit : 0));
  if (spacing.above) AppendCompressedSignedShort(commands, spacing.above);
  if (spacing.below) AppendCompressedSignedShort(commands, spacing.below);
  std::string strings(1, '\0');  // the empty string before the font command
  commands += kFontCommand;
  AppendU16(commands, static_cast<std::uint32_t>(paragraph.style));  // the style's font
  for (const Span& span : paragraph.spans) {
    if (span.jump_target.empty()) {
      strings += span.text;
      continue;
    }
    strings += '\0';
    commands += kJumpCommand;
    AppendU32(commands, static_cast<std::uint32_t>(ContextHash(span.jump_target)));
    strings += span.text + '\0';
    commands += kEndOfJump;
  }
  strings += '\0';
  commands += kEndOfParagraph;
  strings += '\0';  // the empty string before the end
  commands += kEndCommand;

  std::string data1;
  // Two compressed numbers: the formatting size (counted with these numbers, whose forms are fixed)
  // and the text size.
  std::string text_size;
  AppendCompressedUnsignedShort(text_size, static_cast<std::uint32_t>(strings.size()));
  AppendCompressedSignedLong(data1, static_cast<std::int32_t>(2 + text_size.size() + commands.size()));
  return {kTextRecordLink, data1 + text_size + commands, strings};
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
  const std::size_t blocks = (stream.size() + kTopicBlockDataSize - 1) / kTopicBlockDataSize;
  stream.resize(blocks * kTopicBlockDataSize, '\0');

  TopicFile file;
  for (std::size_t block = 0; block < blocks; ++block) {
    file.bytes += BlockHeader(links, block);
    file.bytes.append(stream, block * kTopicBlockDataSize, kTopicBlockDataSize);
  }
  file.topic_offsets = TopicOffsets(links);
  return file;
}

}  // namespace skimdex::helpc
