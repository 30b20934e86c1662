// The compound-file writer and reader: round trips through both, the sibling order and tree shape
// other readers rely on, and damaged containers that must fail cleanly.

#include "CompoundFileReader.h"
#include "CompoundFileWriter.h"
#include "ExternalTools.h"
#include "PropertySet.h"
#include "TempDir.h"
#include "base/ByteReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace gp::test {
namespace {

using cfb::Node;

std::vector<std::uint8_t> pattern(std::size_t size, int seed)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t((i * 31 + std::size_t(seed) * 7 + i / 251) & 0xFF);
    return bytes;
}

Node sampleTree(std::size_t largeSize)
{
    std::vector<Node> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(Node::stream("item " + std::to_string(i), pattern(std::size_t(i) * 97, i)));
    return Node::storage("Root Entry", cfb::makeClassId(0x12345678, 1, 2, { 1, 2, 3, 4, 5, 6, 7, 8 }),
        { Node::stream("\005Small", pattern(100, 1)), Node::stream("Exactly cutoff", pattern(4096, 2)),
            Node::stream("Just below", pattern(4095, 3)), Node::stream("Large", pattern(largeSize, 4)),
            Node::stream("Empty", {}),
            Node::storage("Inner", cfb::makeClassId(0xABCDEF01, 3, 4, {}), std::move(many)) });
}

std::vector<std::uint8_t> streamAt(
    const cfb::CompoundFileReader& reader, std::uint32_t storage, const std::string& name)
{
    auto id = reader.findChild(storage, name);
    EXPECT_TRUE(id) << name;
    if (!id)
        return {};
    auto bytes = reader.readStream(*id);
    EXPECT_TRUE(bytes.ok()) << name;
    return bytes.ok() ? *bytes : std::vector<std::uint8_t> {};
}

TEST(CompoundFile, EveryStreamComesBackExactly)
{
    // 9 MB needs more than 109 allocation-table sectors, so the extension sectors are exercised.
    for (std::size_t largeSize : { std::size_t(5000), std::size_t(9) << 20 }) {
        SCOPED_TRACE(largeSize);
        const Node tree = sampleTree(largeSize);
        auto bytes = cfb::writeCompoundFile(tree);
        ASSERT_TRUE(bytes.ok());
        EXPECT_EQ(bytes->size() % 512, 0u);
        auto reader = cfb::CompoundFileReader::open(*bytes);
        ASSERT_TRUE(reader.ok()) << reader.error().message;
        EXPECT_EQ(reader->entry(0).classId, tree.classId);
        for (const Node& child : tree.children) {
            if (!child.isStorage) {
                EXPECT_EQ(streamAt(*reader, 0, child.name), child.data) << child.name;
            }
        }
        auto inner = reader->findChild(0, "inner"); // names compare without regard to case
        ASSERT_TRUE(inner);
        EXPECT_EQ(reader->entry(*inner).classId, tree.children.back().classId);
        for (const Node& item : tree.children.back().children)
            EXPECT_EQ(streamAt(*reader, *inner, item.name), item.data) << item.name;
        EXPECT_FALSE(reader->findChild(0, "item 3")); // only under Inner
    }
}

TEST(CompoundFile, SiblingsFormASearchTreeByLengthThenName)
{
    auto bytes = cfb::writeCompoundFile(sampleTree(10));
    auto reader = cfb::CompoundFileReader::open(*bytes);
    ASSERT_TRUE(reader.ok());
    const auto inner = *reader->findChild(0, "Inner");
    // An in-order walk of the tree must visit the names in the container's order.
    std::vector<std::string> names;
    std::function<void(std::uint32_t)> walk = [&](std::uint32_t id) {
        if (id == cfb::kNoEntry)
            return;
        walk(reader->entry(id).left);
        names.push_back(reader->entry(id).name);
        walk(reader->entry(id).right);
    };
    walk(reader->entry(inner).child);
    ASSERT_EQ(names.size(), 40u);
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_TRUE(names[i - 1].size() < names[i].size()
            || (names[i - 1].size() == names[i].size() && names[i - 1] < names[i]))
            << names[i - 1] << " before " << names[i];
}

TEST(CompoundFile, OtherReadersAcceptOurContainer)
{
    GLIMMER_REQUIRE(runTool("/usr/bin/python3 -c 'import olefile' >/dev/null"), "python3-olefile missing");
    TempDir dir;
    const Node tree = sampleTree(std::size_t(9) << 20);
    auto bytes = cfb::writeCompoundFile(tree);
    {
        std::ofstream out(dir / "t.cfb", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
    }
    const std::string script = "import olefile,sys,hashlib\n"
                               "o=olefile.OleFileIO(sys.argv[1])\n"
                               "for p in sorted('/'.join(e) for e in o.listdir()):\n"
                               "  print(p, len(o.openstream(p).read()))\n";
    writeFile(dir / "list.py", script);
    const std::string command = "/usr/bin/python3 '" + (dir / "list.py").string() + "' '" + (dir / "t.cfb").string()
        + "' > '" + (dir / "out.txt").string() + "'";
    ASSERT_TRUE(runTool(command));
    const std::string listing = readFile(dir / "out.txt");
    EXPECT_NE(listing.find("Large 9437184"), std::string::npos) << listing;
    EXPECT_NE(listing.find("Inner/item 39 3783"), std::string::npos) << listing;
    EXPECT_NE(listing.find("\005Small 100"), std::string::npos) << listing;
}

TEST(CompoundFile, DamagedContainersFailWithoutHanging)
{
    auto good = *cfb::writeCompoundFile(sampleTree(20000));
    ASSERT_TRUE(cfb::CompoundFileReader::open(good).ok());

    auto bad = good;
    bad[0] ^= 0xFF;
    EXPECT_EQ(cfb::CompoundFileReader::open(bad).error().kind, ErrorKind::Malformed);
    EXPECT_FALSE(cfb::CompoundFileReader::open(std::vector<std::uint8_t>(good.begin(), good.begin() + 300)).ok());

    // The large stream's chain turned into a loop: its second sector points back at the first.
    auto reader = *cfb::CompoundFileReader::open(good);
    const auto large = *reader.findChild(0, "Large");
    const std::uint32_t start = reader.entry(large).start;
    const std::uint32_t fatSector = loadU32Le(good.data() + 76);
    auto looped = good;
    storeU32Le(looped.data() + 512 * (fatSector + 1) + 4 * (start + 1), start);
    auto loopedReader = cfb::CompoundFileReader::open(looped);
    ASSERT_TRUE(loopedReader.ok());
    EXPECT_EQ(loopedReader->readStream(large).error().kind, ErrorKind::Malformed);

    // A chain that leaves the table, and a file cut inside the stream's sectors.
    auto outside = good;
    storeU32Le(outside.data() + 512 * (fatSector + 1) + 4 * start, 0x00FFFFF0);
    EXPECT_FALSE(cfb::CompoundFileReader::open(outside)->readStream(large).ok());
    auto cut = good;
    cut.resize(512 * (start + 3));
    auto cutReader = cfb::CompoundFileReader::open(cut);
    EXPECT_TRUE(!cutReader.ok() || !cutReader->readStream(large).ok());

    // Directory entries that point at themselves: lookups end.
    auto selfish = good;
    const std::uint32_t directory = loadU32Le(good.data() + 48);
    for (int e = 1; e < 4; ++e) {
        std::uint8_t* entry = selfish.data() + 512 * (directory + 1) + 128 * e;
        storeU32Le(entry + 68, std::uint32_t(e));
        storeU32Le(entry + 72, 1);
    }
    auto selfishReader = cfb::CompoundFileReader::open(selfish);
    ASSERT_TRUE(selfishReader.ok());
    EXPECT_FALSE(selfishReader->findChild(0, "no such name"));

    // A stream size far beyond the file.
    auto huge = good;
    storeU32Le(huge.data() + 512 * (directory + 1) + 128 * large + 120, 0xFFFFFF00);
    auto hugeReader = cfb::CompoundFileReader::open(huge);
    ASSERT_TRUE(hugeReader.ok());
    EXPECT_FALSE(hugeReader->readStream(large).ok());
}

TEST(PropertySet, ValuesSurviveARoundTrip)
{
    fpx::PropertySet set;
    set.setInteger(0x10, fpx::kTypeUI4, 4000000000);
    set.setInteger(0x11, fpx::kTypeI4, -5);
    set.setFloat(0x12, 2.5f);
    set.setBlob(0x13, { 1, 2, 3, 4, 5 });
    set.setVector(0x14, { 17, 18 });
    const auto stream = set.write(cfb::makeClassId(1, 2, 3, {}));
    auto back = fpx::PropertySet::read(stream);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->integer(1), 1200); // the code page comes first
    EXPECT_EQ(back->integer(0x10), 4000000000);
    EXPECT_EQ(back->integer(0x11), -5);
    EXPECT_EQ(back->real(0x12), 2.5f);
    ASSERT_TRUE(back->blob(0x13));
    EXPECT_EQ(*back->blob(0x13), (std::vector<std::uint8_t> { 1, 2, 3, 4, 5 }));
    EXPECT_FALSE(back->integer(0x99));

    for (std::size_t cut : { std::size_t(10), std::size_t(50), stream.size() - 3 }) {
        auto truncated = fpx::PropertySet::read(std::span(stream).first(cut));
        EXPECT_FALSE(truncated.ok()) << cut;
    }
}

} // namespace
} // namespace gp::test
