#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "helpc/context_hash.h"
#include "helpc/help_source.h"
#include "helpc/hlp_file.h"
#include "helpc/hlp_format.h"
#include "hlp_reader.h"
#include "ui/help_ids.h"

namespace skimdex::helpc {
namespace {

using test::HlpReader;
using test::ReadTopic;

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Compiled {
  HelpDocument document;
  HlpReader reader;
};

Compiled Compile(const std::string& source) {
  HelpDocument document = ParseHelpSource(source, "test.txt", ReadIntConstants(ReadFile(SKIMDEX_HELP_IDS)));
  std::string hlp = BuildHlpFile(document);
  return {std::move(document), HlpReader(std::move(hlp))};
}

const Compiled& Manual() {
  static const Compiled manual = Compile(ReadFile(SKIMDEX_HELP_SOURCE));
  return manual;
}

// Reads the topics back as the engine walks them and checks them against the parsed source.
void ExpectTopicsReadBack(const Compiled& compiled) {
  const std::vector<ReadTopic> topics = compiled.reader.Topics();
  ASSERT_EQ(topics.size(), compiled.document.topics.size());
  for (std::size_t i = 0; i < topics.size(); ++i) {
    const Topic& topic = compiled.document.topics[i];
    EXPECT_EQ(topics[i].title, topic.title);
    ASSERT_EQ(topics[i].paragraphs.size(), topic.paragraphs.size()) << topic.context_id;
    for (std::size_t j = 0; j < topics[i].paragraphs.size(); ++j) {
      std::string text;
      for (const Span& span : topic.paragraphs[j].spans) text += span.text;
      EXPECT_EQ(topics[i].paragraphs[j], text) << topic.context_id << " " << j;
    }
    EXPECT_EQ(compiled.reader.ContextOffset(ContextHash(topic.context_id)), topics[i].offset)
        << topic.context_id;
    if (i > 0) EXPECT_GT(topics[i].offset, topics[i - 1].offset);
  }
}

TEST(HelpFileTest, LookupsFindEveryFileAndTheConfigurationTopic) {
  const HlpReader& reader = Manual().reader;
  const auto names = {"|CONTEXT", "|CTXOMAP", "|FONT",  "|KWBTREE", "|KWDATA",
                      "|KWMAP",   "|SYSTEM",  "|TOPIC", "|TTLBTREE"};
  for (const char* name : names) EXPECT_TRUE(reader.File(name)) << name;
  EXPECT_FALSE(reader.File("|Phrases"));
  const char* directory =
      reader.bytes().data() + test::U32(reader.bytes().data() + hlp::kContainerDirectoryAt);
  EXPECT_EQ(test::U32(directory + hlp::kFileHeaderSize + hlp::kTreeEntryCountAt), names.size());
  EXPECT_EQ(test::U32(reader.bytes().data() + hlp::kContainerSizeAt), reader.bytes().size());
  const auto offset = reader.MapOffset(kHelpContextConfig);
  ASSERT_TRUE(offset);
  EXPECT_EQ(offset, reader.ContextOffset(ContextHash("IDH_CONFIG")));
  EXPECT_FALSE(reader.MapOffset(kHelpContextConfig + 1));
}

TEST(HelpFileTest, TopicsReadBackByteExact) {
  const Compiled& manual = Manual();
  ExpectTopicsReadBack(manual);
  EXPECT_EQ(manual.reader.SystemOffset(3), manual.reader.Topics().front().offset);
  // The text must hold characters whose second byte is "\", "{", "|" or "}".
  std::string all;
  for (const ReadTopic& topic : manual.reader.Topics()) {
    for (const std::string& paragraph : topic.paragraphs) all += paragraph;
  }
  for (const char* character : {"\x95\x5C", "\x83\x5C", "\x94\x5C", "\x83\x7B", "\x83\x7C", "\x83\x7D"}) {
    EXPECT_NE(all.find(character), std::string::npos) << test::U16(character);
  }
}

TEST(HelpFileTest, EveryKeywordAndJumpResolves) {
  const Compiled& manual = Manual();
  std::vector<std::pair<std::string, std::uint32_t>> expected;
  for (const Topic& topic : manual.document.topics) {
    for (const std::string& keyword : topic.keywords) {
      expected.emplace_back(keyword, *manual.reader.ContextOffset(ContextHash(topic.context_id)));
    }
  }
  auto keywords = manual.reader.Keywords();
  std::sort(expected.begin(), expected.end());
  std::sort(keywords.begin(), keywords.end());
  EXPECT_EQ(keywords, expected);
  EXPECT_FALSE(keywords.empty());
  std::size_t jumps = 0;
  for (const ReadTopic& topic : manual.reader.Topics()) {
    for (const std::int32_t hash : topic.jumps) EXPECT_TRUE(manual.reader.ContextOffset(hash)) << topic.title;
    jumps += topic.jumps.size();
  }
  EXPECT_GE(jumps, manual.document.topics.size() - 1);
}

// Long topics: links start near block ends and texts run across blocks.
TEST(HelpFileTest, TopicsCrossingBlocksReadBack) {
  std::string source = "@title T\n@font F\n";
  for (int topic = 0; topic < 60; ++topic) {
    source += "@topic T" + std::to_string(topic) + " Title " + std::to_string(topic) + "\n";
    source += "@keywords k" + std::to_string(topic) + "\n";
    for (int line = 0; line < topic % 7 * 3; ++line) {
      source += std::string(static_cast<std::size_t>(line * 37 % 400 + 1), 'a' + line % 26) +
                "[[T0|\xE8\xA1\xA8]]\n";
    }
  }
  const Compiled compiled = Compile(source);
  ASSERT_GT(compiled.reader.File("|TOPIC")->size(), 20 * 4096u);
  ExpectTopicsReadBack(compiled);
  EXPECT_EQ(compiled.reader.Keywords().size(), 60u);
}

// Each source with its fault's expected place and a word of the message.
constexpr std::tuple<const char*, const char*, const char*> kFaults[] = {
    {"@title T\n"
     "@font F\n"
     "@topic A a\n"
     "\xC2\xA5 100\n",
     "test.txt:4:", "U+00A5"},
    {"@title T\n"
     "@font F\n"
     "@topic A a\n"
     "\n"
     "\xE3\x80\x9C\x0A",
     "test.txt:5:", "U+301C"},
    {"@title T\n"
     "@font F\n"
     "@topic A a\n"
     "ab\xFF\n",
     "test.txt:4:", "malformed"},
    {"@title T\n@font F\n@topic A a\n[[B|b]]\n@topic C c\n", "test.txt:4:", "'B'"},
    {"@title T\n@font F\n@topic A a\n@map kNoSuchConstant\n", "test.txt:4:", "kNoSuchConstant"},
    {"@title T\n@font F\n@topic A a\n@keywords x; y\n@topic B b\n@keywords X\n", "test.txt:6:", "twice"},
    {"@title T\n@font F\n@topic A a\n@topic a b\n", "test.txt:4:", "repeats"},
    {"@title T\nText\n", "test.txt:2:", "before the first"},
    {"@title T\n@font F\n@topic A-1 a\n", "test.txt:3:", "A-1"},
    {"@title T\n@font F\n@topic A a\n[[A|x]\n", "test.txt:4:", "[["},
    {"@font F\n@topic A a\n", "test.txt:1:", "@title"},
};

TEST(HelpFileTest, SourceFaultsNameTheirLine) {
  for (const auto& [source, place, word] : kFaults) {
    try {
      Compile(source);
      ADD_FAILURE() << "accepted: " << source;
    } catch (const SourceError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind(place, 0), 0u) << message;
      EXPECT_NE(message.find(word), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace skimdex::helpc
