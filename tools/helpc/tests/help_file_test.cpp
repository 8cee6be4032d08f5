#include <gtest/gtest.h>

#include <tuple>

#include "helpc/context_hash.h"
#include "helpc/help_source.h"
#include "helpc/hlp_file.h"
#include "helpc/hlp_format.h"
#include "hlp_reader.h"
#include "test_sources.h"
#include "ui/help_ids.h"

namespace skimdex::helpc {
namespace {

using test::HlpReader;
using test::ReadTopic;

struct Compiled {
  HelpDocument document;  // in code page 932
  HlpReader reader;
};

Compiled Compile(const std::string& source) {
  const HelpDocument document = test::Parse(source);
  return {InCodePage932(document), HlpReader(BuildHlpFile(document))};
}

const Compiled& Manual() {
  static const Compiled manual = Compile(test::ManualSource());
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
    for (const Keyword& keyword : topic.keywords) {
      expected.emplace_back(keyword.text, *manual.reader.ContextOffset(ContextHash(topic.context_id)));
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

// A link put at the first block's end by a filler paragraph before it: the room left there is its
// head (header and LinkData1), or its bare 21-byte header, plus `beyond` bytes, or just `beyond`. A
// head that does not fit must start the next block; one that fits must not.
enum class Room { kHead, kHeader, kBeyond };
struct BlockEdge {
  const char* what;
  std::size_t topic, link;  // topic A: header, title, filler, "probe"; topic B: header, ...
  Room room;
  int beyond;
  bool moved;
};
constexpr BlockEdge kBlockEdges[] = {
    {"text record ends at the block's end", 0, 3, Room::kHead, 0, false},
    {"text record with a byte to spare", 0, 3, Room::kHead, 1, false},
    {"text record's LinkData1 a byte over", 0, 3, Room::kHead, -1, true},
    {"only the text record's header fits", 0, 3, Room::kHeader, 0, true},
    {"text record's header a byte over", 0, 3, Room::kHeader, -1, true},
    {"filler runs on into the next block", 0, 3, Room::kBeyond, -100, false},
    {"topic header ends at the block's end", 1, 0, Room::kHead, 0, false},
    {"topic header a byte over", 1, 0, Room::kHead, -1, true},
};

Compiled EdgeManual(std::size_t filler) {
  return Compile("@title T\n@font F\n@topic A a\n" + std::string(filler, 'x') + "\nprobe\n@topic B b\nend\n");
}

TEST(HelpFileTest, LinkHeadsStayInsideTheirBlock) {
  constexpr std::size_t kBaseFiller = 200, kEnd = hlp::kTopicBlockDataSize;
  for (const BlockEdge& edge : kBlockEdges) {
    const test::ReadLink base = EdgeManual(kBaseFiller).reader.Topics()[edge.topic].links[edge.link];
    const int room = edge.beyond + (edge.room == Room::kHead     ? static_cast<int>(base.head)
                                    : edge.room == Room::kHeader ? static_cast<int>(hlp::kLinkHeaderSize)
                                                                 : 0);
    const std::size_t start = kEnd - room;  // where the link goes when nothing moves it
    const Compiled compiled = EdgeManual(kBaseFiller + start - base.start);
    ExpectTopicsReadBack(compiled);
    EXPECT_EQ(compiled.reader.Topics()[edge.topic].links[edge.link].start, edge.moved ? kEnd : start)
        << edge.what;
  }
}

// Keywords whose order differs between plain bytes, signed bytes and the engine's folded order.
TEST(HelpFileTest, KeywordsInTheEngineOrder) {
  const Compiled compiled = Compile(
      "@title T\n@font F\n@topic A a\n@keywords b; A; _x; Z; \xE8\xA1\xA8|\xE3\x81\xB2\xE3\x82\x87\xE3\x81\x86; a1; ~\n@topic B b\n@keywords c\n");
  std::vector<std::string> listed;
  for (const auto& [keyword, offset] : compiled.reader.Keywords()) listed.push_back(keyword);
  EXPECT_EQ(listed, (std::vector<std::string>{"A", "a1", "b", "c", "Z", "_x", "~", "\x95\x5C"}));
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
    {"@title T\n@font F\n@topic A a\n@keywords a; \xE8\xA1\xA8\n", "test.txt:4:", "reading"},
    {"@title T\n@font F\n@topic A a\n@topic IDH_CON c\n", "test.txt:4:", "con.html"},
    {"@title T\n@font F\n@topic A a\n@topic IDH_LPT1.X c\n", "test.txt:4:", "lpt1.x.html"},
    {"@title T\n@font F\n@topic A a\n@topic IDH_ c\n", "test.txt:4:", "page .html"},
    {"@title T\n@font F\n@topic A a\n@topic IDH_KEYWORDS k\n", "test.txt:4:", "keywords.html"},
    {"@title T\n@font F\n@topic A a\n@topic IDH_B b\n@topic B c\n", "test.txt:5:", "b.html"},
    {"@title T\n@font F\n@topic A a\n@keywords \xE8\xA1\xA8|\n", "test.txt:4:", "empty"},
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

// Only whole `constexpr int` lines count: not other constants, not one in a comment.
TEST(HelpFileTest, ReadsIntConstantLines) {
  const auto constants = ReadIntConstants(
      "constexpr int kA = 6000;\nconstexpr char kB[] = \"b.html\";\n// constexpr int kOld = 1;\n"
      "  constexpr int kC = -2;  // c\n");
  EXPECT_EQ(constants, (std::map<std::string, std::int32_t>{{"kA", 6000}, {"kC", -2}}));
}

}  // namespace
}  // namespace skimdex::helpc
