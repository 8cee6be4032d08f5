#pragma once

#include <cstddef>
#include <cstdint>

// The facts of the uncompressed WinHelp 3.1 file, shared by its writer and the tests' reader. All
// integers are little-endian; "at" names a field's offset in its record.
namespace skimdex::helpc::hlp {

// The container: a header, then the internal files, each a file header and its data, and a
// directory (a B+ tree) that finds them by name.
inline constexpr std::uint32_t kContainerMagic = 0x00035F3F;
inline constexpr std::size_t kContainerHeaderSize = 16;
inline constexpr std::size_t kContainerDirectoryAt = 4;  // file offset of the directory's file header
inline constexpr std::size_t kContainerSizeAt = 12;      // the readers read exactly this many bytes
inline constexpr std::uint32_t kNoFreeBlock = 0xFFFFFFFF;
inline constexpr std::size_t kFileHeaderSize = 9;  // u32 reserved (with this header), u32 used, u8 flags
inline constexpr std::size_t kFileUsedAt = 4;
inline constexpr std::uint8_t kPlainFileFlags = 0;
inline constexpr std::uint8_t kDirectoryFileFlags = 4;

// B+ trees. The header holds, among others, the page size, the root page, the number of pages and
// of levels and the number of entries; fixed-size pages numbered from 0 follow it.
inline constexpr std::uint16_t kTreeMagic = 0x293B;
inline constexpr std::size_t kTreeHeaderSize = 38;
inline constexpr std::size_t kTreeStructureSize = 16;  // the entries' layout, such as "z4"
inline constexpr std::size_t kTreePageSizeAt = 4;
inline constexpr std::size_t kTreeRootPageAt = 26;
inline constexpr std::size_t kTreePageCountAt = 30;
inline constexpr std::size_t kTreeLevelsAt = 32;
inline constexpr std::size_t kTreeEntryCountAt = 34;
inline constexpr std::uint16_t kTreeFlags = 0x0002;
inline constexpr std::uint16_t kDirectoryTreeFlags = 0x0402;
inline constexpr std::uint16_t kTreePageSize = 0x800;
inline constexpr std::uint16_t kDirectoryPageSize = 0x400;
inline constexpr char kDirectoryStructure[] = "z4";  // STRINGZ name, u32 file offset
inline constexpr char kContextStructure[] = "L4";    // i32 hash, u32 topic offset
inline constexpr char kKeywordStructure[] = "F24";   // STRINGZ keyword, u16 count, u32 data offset
inline constexpr char kTitleStructure[] = "Lz";      // u32 topic offset, STRINGZ title
// Pages begin with u16 free bytes and u16 entries; a leaf goes on with its neighbours, an index page
// with its first child, followed by (key, u16 child) pairs.
inline constexpr std::size_t kPageEntryCountAt = 2;
inline constexpr std::size_t kLeafPreviousAt = 4;
inline constexpr std::size_t kLeafNextAt = 6;
inline constexpr std::size_t kLeafHeaderSize = 8;
inline constexpr std::size_t kIndexFirstChildAt = 4;
inline constexpr std::size_t kIndexHeaderSize = 6;
inline constexpr std::uint16_t kNoPage = 0xFFFF;

// |SYSTEM: a header, then records of u16 type, u16 size and the data.
inline constexpr std::uint16_t kSystemMagic = 0x036C;
inline constexpr std::uint16_t kSystemMinor = 33;  // with flags 0: uncompressed topics in 4 KiB blocks
inline constexpr std::uint16_t kSystemMajor = 1;
inline constexpr std::size_t kSystemHeaderSize = 12;
enum SystemRecord : std::uint16_t {
  kTitleRecord = 1,
  kCopyrightRecord = 2,
  kContentsRecord = 3,  // u32 topic offset of the contents topic
  kWindowRecord = 6,
  kLocaleRecord = 9,
  kCharsetRecord = 11,  // without it readers take the text for code page 1252
};

// |FONT: a header of four u16 (faces, descriptors, their two offsets), the faces, the descriptors.
inline constexpr std::size_t kFontHeaderSize = 8;

// |TOPIC: blocks of a 12-byte header and 4084 bytes of one stream of links. A link's header and its
// LinkData1 stay inside one block; its LinkData2 may run on into the next.
inline constexpr std::size_t kTopicBlockSize = 4096;
inline constexpr std::size_t kTopicBlockHeaderSize = 12;
inline constexpr std::size_t kTopicBlockDataSize = kTopicBlockSize - kTopicBlockHeaderSize;
// A TOPICPOS is block * 0x4000 + 12 + offset in the block's data; a TOPICOFFSET is block * 0x8000
// plus the text sizes of the text records that start earlier in the block.
inline constexpr std::uint32_t kTopicPosPerBlock = 0x4000;
inline constexpr std::uint32_t kTopicOffsetPerBlock = 0x8000;
inline constexpr std::uint32_t kNoLink = 0xFFFFFFFF;
// The link header: u32 size, u32 LinkData2 size, TOPICPOS previous and next, u32 header and
// LinkData1 size, u8 type.
inline constexpr std::size_t kLinkHeaderSize = 21;
inline constexpr std::size_t kLinkData2SizeAt = 4;
inline constexpr std::size_t kLinkNextAt = 12;
inline constexpr std::size_t kLinkData1EndAt = 16;
inline constexpr std::size_t kLinkTypeAt = 20;
inline constexpr std::uint8_t kTopicHeaderLink = 2;
inline constexpr std::uint8_t kTextRecordLink = 0x20;
inline constexpr std::size_t kTopicHeaderData1Size = 28;

// A text record's paragraph info (u8 0, u8 0x80, u16 0, u16 bits), then each spacing its bit asks
// for, in half-points, then the formatting commands.
inline constexpr std::uint8_t kParagraphInfo = 0x80;
inline constexpr std::uint16_t kSpaceAboveBit = 0x02;
inline constexpr std::uint16_t kSpaceBelowBit = 0x04;
inline constexpr char kFontCommand = '\x80';  // u16 font number follows
inline constexpr char kEndOfParagraph = '\x82';
inline constexpr char kJumpCommand = '\xE3';  // u32 context hash follows
inline constexpr char kEndOfJump = '\x89';
inline constexpr char kEndCommand = '\xFF';

}  // namespace skimdex::helpc::hlp
