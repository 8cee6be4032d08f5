#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "helpc/help_source.h"

namespace skimdex::helpc {

// The two data parts of one |TOPIC link.
struct LinkData {
  std::uint8_t type;  // 2 topic header, 0x20 text record
  std::string data1;
  std::string data2;
};

// Help engine compressed numbers.
void AppendCompressedUnsignedShort(std::string& out, std::uint32_t value);
void AppendCompressedSignedShort(std::string& out, std::int32_t value);
void AppendCompressedSignedLong(std::string& out, std::int32_t value);

// The text record of one paragraph: formatting commands in data1, the strings they separate in data2.
LinkData TextRecord(const Paragraph& paragraph);

struct TopicFile {
  std::string bytes;                         // the |TOPIC data, in 4096-byte blocks
  std::vector<std::uint32_t> topic_offsets;  // TOPICOFFSET of each topic, in document order
};

// Lays the topics out as chained links in blocks.
TopicFile BuildTopicFile(const std::vector<Topic>& topics);

}  // namespace skimdex::helpc
