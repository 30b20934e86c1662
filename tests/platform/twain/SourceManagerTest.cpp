// The source manager library through its one entry point, against the SANE test backend, with
// scanimage's output from the same device and options as the reference.

#include "ExternalTools.h"
#include "SaneTestDevice.h"
#include "TempDir.h"
#include "TwainSession.h"
#include "base/ByteReader.h"
#include "image/Image.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdlib>
#include <span>
#include <vector>

using namespace gp;
using test::TwainSession;

namespace {

class SourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string missing = test::saneTestBackendMissing();
        GLIMMER_REQUIRE(missing.empty(), missing);
        // The remembered default source goes to a private folder.
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_oldConfig = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_CONFIG_HOME", m_config.path().c_str(), 1);
    }
    void TearDown() override
    {
        if (m_oldConfig)
            setenv("XDG_CONFIG_HOME", m_oldConfig->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }

    test::TempDir m_config;
    std::optional<std::string> m_oldConfig;
};

struct Kind {
    TW_UINT16 pixelType;
    const char* scanimageOptions;
    int bits;
};

const Kind kGray { TWPT_GRAY, "-d test:0 --mode Gray --depth 8", 8 };
const Kind kColour { TWPT_RGB, "-d test:0 --mode Color --depth 8", 24 };
const Kind kBlackWhite { TWPT_BW, "-d test:0 --mode Gray --depth 1", 1 };

// The pixels of row y (from the top) of a reference scan in the order a packed bitmap keeps
// them: B,G,R for colour, as is otherwise.
std::vector<std::uint8_t> referenceRow(const test::Pnm& pnm, int y)
{
    std::vector<std::uint8_t> row(pnm.row(y), pnm.row(y) + pnm.rowBytes());
    if (pnm.kind == '6')
        for (std::size_t x = 0; x + 2 < row.size(); x += 3)
            std::swap(row[x], row[x + 2]);
    return row;
}

} // namespace

TEST_F(SourceManagerTest, ListsTheDevicesAndOpensTheDefaultOrANamedOne)
{
    TwainSession s;
    ASSERT_TRUE(s.openManager());
    EXPECT_NE(TW_UINT32 { s.program.Id }, 0u) << "the manager gives the program its id";

    std::vector<std::string> names;
    TW_IDENTITY id {};
    for (TW_UINT16 rc = s.toManager(DAT_IDENTITY, MSG_GETFIRST, &id); rc == TWRC_SUCCESS;
         rc = s.toManager(DAT_IDENTITY, MSG_GETNEXT, &id)) {
        names.emplace_back(id.ProductName);
        EXPECT_EQ(TW_UINT32 { id.SupportedGroups }, DG_CONTROL | DG_IMAGE);
        EXPECT_NE(TW_UINT32 { id.Id }, 0u);
    }
    EXPECT_EQ(names, (std::vector<std::string> { "test:0", "test:1" }));
    EXPECT_EQ(s.toManager(DAT_IDENTITY, MSG_GETNEXT, &id), TWRC_ENDOFLIST);

    TW_IDENTITY def {};
    ASSERT_EQ(s.toManager(DAT_IDENTITY, MSG_GETDEFAULT, &def), TWRC_SUCCESS);
    EXPECT_STREQ(def.ProductName, "test:0") << "without a stored choice the first device is the default";

    // An empty identity opens the default source; the identity comes back filled in.
    s.source = TW_IDENTITY {};
    ASSERT_EQ(s.toManager(DAT_IDENTITY, MSG_OPENDS, &s.source), TWRC_SUCCESS);
    s.sourceOpen = true;
    EXPECT_STREQ(s.source.ProductName, "test:0");
    EXPECT_EQ(TW_UINT32 { s.source.Id }, TW_UINT32 { def.Id });
    EXPECT_EQ(s.toManager(DAT_IDENTITY, MSG_OPENDS, &def), TWRC_FAILURE) << "a source opens once";
    EXPECT_EQ(s.managerCondition(), TWCC_SEQERROR);

    TW_HANDLE parent = nullptr;
    EXPECT_EQ(s.toManager(DAT_PARENT, MSG_CLOSEDSM, &parent), TWRC_FAILURE)
        << "the manager stays while a source is open";
    ASSERT_EQ(s.toManager(DAT_IDENTITY, MSG_CLOSEDS, &s.source), TWRC_SUCCESS);
    s.sourceOpen = false;

    // The second device by name, and a name nobody knows.
    EXPECT_TRUE(s.openSource("test:1"));
    EXPECT_STREQ(s.source.ProductName, "test:1");
    TW_IDENTITY nobody {};
    std::strcpy(nobody.ProductName, "nosuchbackend:0");
    EXPECT_EQ(s.toManager(DAT_IDENTITY, MSG_OPENDS, &nobody), TWRC_FAILURE);
    EXPECT_EQ(s.managerCondition(), TWCC_NODS);
}

TEST_F(SourceManagerTest, ChecksTheRecordsAndTheOrderOfCalls)
{
    TwainSession s;
    TW_STATUS status {};
    EXPECT_EQ(s.toManager(DAT_STATUS, MSG_GET, &status), TWRC_FAILURE) << "nothing before the manager is open";
    EXPECT_EQ(DSM_Entry(nullptr, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr), TWRC_FAILURE);
    EXPECT_EQ(s.toManager(DAT_PARENT, MSG_OPENDSM, nullptr), TWRC_FAILURE) << "the parent record is required";
    ASSERT_TRUE(s.openManager());
    EXPECT_EQ(s.managerCondition(), TWCC_SUCCESS);

    TW_IDENTITY stranger = s.program;
    stranger.Id += 1000;
    TW_IDENTITY def {};
    EXPECT_EQ(DSM_Entry(&stranger, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &def), TWRC_FAILURE)
        << "only the registered program is served";
    EXPECT_EQ(s.toManager(DAT_IDENTITY, MSG_GETDEFAULT, nullptr), TWRC_FAILURE);
    EXPECT_EQ(s.managerCondition(), TWCC_BADVALUE);

    // A product name that fills its field without a terminator is read no further than the field.
    TW_IDENTITY unterminated {};
    std::memset(unterminated.ProductName, 'x', sizeof unterminated.ProductName);
    EXPECT_EQ(s.toManager(DAT_IDENTITY, MSG_OPENDS, &unterminated), TWRC_FAILURE);

    TW_IDENTITY unknown {};
    unknown.Id = 0xBADu;
    TW_USERINTERFACE ui {};
    EXPECT_EQ(DSM_Entry(&s.program, &unknown, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_FAILURE);
    EXPECT_EQ(s.managerCondition(), TWCC_BADDEST);

    ASSERT_TRUE(s.openSource("test:0"));
    TW_HANDLE handle = nullptr;
    EXPECT_EQ(s.toSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_FAILURE) << "no transfer before a scan";
    EXPECT_EQ(s.sourceCondition(), TWCC_SEQERROR);
    TW_IMAGEINFO info {};
    EXPECT_EQ(s.toSource(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_FAILURE);

    // Capability records: the container kind, the item type and the value are all checked.
    TW_CAPABILITY wrongKind { ICAP_XFERMECH, 4 /* enumeration */, nullptr };
    EXPECT_EQ(s.toSource(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &wrongKind), TWRC_FAILURE);
    EXPECT_EQ(s.sourceCondition(), TWCC_BADVALUE);
    EXPECT_EQ(s.setOneValue(ICAP_XFERMECH, TWTY_UINT32, TWSX_MEMORY), TWRC_FAILURE);
    EXPECT_EQ(s.setOneValue(ICAP_XFERMECH, TWTY_UINT16, TWSX_FILE), TWRC_FAILURE);
    EXPECT_EQ(s.setOneValue(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_PALETTE), TWRC_FAILURE);
    EXPECT_EQ(s.setOneValue(ICAP_UNITS, TWTY_UINT16, TWUN_CENTIMETERS), TWRC_FAILURE);
    EXPECT_EQ(s.setOneValue(0x7777, TWTY_UINT16, 0), TWRC_FAILURE);
    EXPECT_EQ(s.sourceCondition(), TWCC_BADCAP);

    // Memory transfer: the buffer must be a pointer buffer of at least one row.
    ASSERT_EQ(s.setOneValue(ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY), TWRC_SUCCESS);
    ASSERT_TRUE(s.scanWithoutDialog());
    EXPECT_EQ(s.setOneValue(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_RGB), TWRC_FAILURE) << "settings are fixed once enabled";
    EXPECT_EQ(s.sourceCondition(), TWCC_SEQERROR);
    EXPECT_EQ(s.toSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_FAILURE)
        << "native transfer was not chosen";
    std::vector<std::uint8_t> small(16);
    TW_IMAGEMEMXFER strip {};
    strip.Memory = TW_MEMORY { TWMF_APPOWNS | TWMF_POINTER, TW_UINT32(small.size()), small.data() };
    EXPECT_EQ(s.toSource(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &strip), TWRC_FAILURE);
    EXPECT_EQ(s.sourceCondition(), TWCC_BADVALUE);
    strip.Memory = TW_MEMORY { TWMF_APPOWNS | TWMF_HANDLE, 1 << 20, small.data() };
    EXPECT_EQ(s.toSource(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &strip), TWRC_FAILURE);
    TW_USERINTERFACE disable {};
    EXPECT_EQ(s.toSource(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &disable), TWRC_FAILURE)
        << "a pending transfer is ended before the source is disabled";
}

TEST_F(SourceManagerTest, NativeTransferHandsOverScanimagesPixelsAsAPackedBitmap)
{
    for (const Kind& kind : { kGray, kColour, kBlackWhite }) {
        SCOPED_TRACE(kind.scanimageOptions);
        const auto reference = test::scanimage(kind.scanimageOptions);
        ASSERT_TRUE(reference);
        TwainSession s;
        ASSERT_TRUE(s.openManager());
        ASSERT_TRUE(s.openSource("test:0"));
        ASSERT_EQ(s.setOneValue(ICAP_PIXELTYPE, TWTY_UINT16, kind.pixelType), TWRC_SUCCESS);
        ASSERT_EQ(s.setOneValue(ICAP_XFERMECH, TWTY_UINT16, TWSX_NATIVE), TWRC_SUCCESS);
        ASSERT_TRUE(s.scanWithoutDialog());

        TW_IMAGEINFO info {};
        ASSERT_EQ(s.toSource(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
        EXPECT_EQ(TW_INT32 { info.ImageWidth }, reference->width);
        EXPECT_EQ(TW_INT32 { info.ImageLength }, reference->height);
        EXPECT_EQ(int { info.BitsPerPixel }, kind.bits);
        EXPECT_EQ(int { info.PixelType }, kind.pixelType);
        EXPECT_EQ(int { info.XResolution.Whole }, 50);
        EXPECT_EQ(int { info.SamplesPerPixel }, kind.pixelType == TWPT_RGB ? 3 : 1);

        TW_HANDLE handle = nullptr;
        ASSERT_EQ(s.toSource(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_XFERDONE);
        ASSERT_NE(handle, nullptr);
        const std::span<const std::uint8_t> block(static_cast<const std::uint8_t*>(handle), malloc_usable_size(handle));
        EXPECT_EQ(loadU32Le(block.data()), 40u);
        EXPECT_EQ(loadU32Le(block.data() + 24), 1968u) << "50 dpi in pixels per metre";
        auto image = Image::fromPacked(block);
        std::free(handle);
        ASSERT_TRUE(image) << image.error().message;
        ASSERT_EQ(image->width(), reference->width);
        ASSERT_EQ(image->height(), reference->height);
        ASSERT_EQ(image->bitsPerPixel(), kind.bits);
        if (kind.pixelType == TWPT_BW) {
            // A set bit is black, as in the scanner's own data.
            EXPECT_EQ(image->color(0), (Rgbq { 255, 255, 255, 0 }));
            EXPECT_EQ(image->color(1), (Rgbq { 0, 0, 0, 0 }));
        } else if (kind.pixelType == TWPT_GRAY) {
            ASSERT_EQ(image->colorCount(), 256);
            EXPECT_EQ(image->color(200), (Rgbq { 200, 200, 200, 0 }));
        }
        for (int y = 0; y < image->height(); ++y) {
            const auto expected = referenceRow(*reference, y);
            ASSERT_TRUE(std::equal(expected.begin(), expected.end(), image->row(y))) << "row " << y;
        }

        TW_PENDINGXFERS pending {};
        pending.Count = 7;
        ASSERT_EQ(s.toSource(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
        EXPECT_EQ(int { pending.Count }, 0);
        // Enabled and idle: the event loop hears nothing more until the next scan.
        TW_EVENT event { nullptr, 0x55 };
        EXPECT_EQ(s.toSource(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_NOTDSEVENT);
        EXPECT_EQ(int { event.TWMessage }, MSG_NULL);
    }
}

TEST_F(SourceManagerTest, MemoryTransferFillsStripsOfPaddedTopDownRows)
{
    const auto reference = test::scanimage("-d test:0 --mode Color --depth 8 --resolution 75");
    ASSERT_TRUE(reference);
    TwainSession s;
    ASSERT_TRUE(s.openManager());
    ASSERT_TRUE(s.openSource("test:0"));
    ASSERT_EQ(s.setOneValue(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_RGB), TWRC_SUCCESS);
    TW_FIX32 dpi { 75, 0 };
    TW_UINT32 item;
    std::memcpy(&item, &dpi, sizeof item);
    ASSERT_EQ(s.setOneValue(ICAP_XRESOLUTION, TWTY_FIX32, item), TWRC_SUCCESS);
    ASSERT_EQ(s.setOneValue(ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY), TWRC_SUCCESS);
    EXPECT_EQ(s.getOneValue(ICAP_XFERMECH), TW_UINT32(TWSX_MEMORY));
    ASSERT_TRUE(s.scanWithoutDialog());

    TW_SETUPMEMXFER setup {};
    ASSERT_EQ(s.toSource(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    const std::size_t stride = (std::size_t(reference->width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(setup.MinBufSize, stride);
    EXPECT_GE(setup.Preferred, setup.MinBufSize);

    // A buffer of five rows and a bit, so the image comes in several strips.
    std::vector<std::uint8_t> buffer(stride * 5 + 7, 0xEE);
    int nextRow = 0;
    int strips = 0;
    for (TW_UINT16 rc = TWRC_SUCCESS; rc == TWRC_SUCCESS; ++strips) {
        std::fill(buffer.begin(), buffer.end(), 0xEE);
        TW_IMAGEMEMXFER strip {};
        strip.Memory = TW_MEMORY { TWMF_APPOWNS | TWMF_POINTER, TW_UINT32(buffer.size()), buffer.data() };
        rc = s.toSource(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &strip);
        ASSERT_TRUE(rc == TWRC_SUCCESS || rc == TWRC_XFERDONE);
        EXPECT_EQ(std::size_t { strip.BytesPerRow }, stride);
        EXPECT_EQ(TW_UINT32 { strip.Columns }, TW_UINT32(reference->width));
        EXPECT_EQ(TW_UINT32 { strip.YOffset }, TW_UINT32(nextRow));
        EXPECT_EQ(std::size_t { strip.BytesWritten }, strip.Rows * stride);
        ASSERT_LE(TW_UINT32 { strip.Rows }, 5u);
        EXPECT_EQ(buffer[strip.BytesWritten], 0xEE) << "nothing is written past the whole rows";
        for (TW_UINT32 r = 0; r < strip.Rows; ++r) {
            const std::uint8_t* row = buffer.data() + r * stride;
            ASSERT_TRUE(std::equal(row, row + reference->rowBytes(), reference->row(nextRow + int(r))))
                << "row " << nextRow + int(r) << ": top-down, red first";
            for (std::size_t pad = reference->rowBytes(); pad < stride; ++pad)
                EXPECT_EQ(row[pad], 0);
        }
        nextRow += int(strip.Rows);
    }
    EXPECT_EQ(nextRow, reference->height);
    EXPECT_GT(strips, 2);
    TW_IMAGEMEMXFER after {};
    after.Memory = TW_MEMORY { TWMF_APPOWNS | TWMF_POINTER, TW_UINT32(buffer.size()), buffer.data() };
    EXPECT_EQ(s.toSource(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &after), TWRC_FAILURE) << "the image is complete";
}

TEST_F(SourceManagerTest, CapabilitiesAnswerTruthfully)
{
    TwainSession s;
    ASSERT_TRUE(s.openManager());
    ASSERT_TRUE(s.openSource("test:0"));
    EXPECT_EQ(s.getOneValue(ICAP_UNITS), TW_UINT32(TWUN_INCHES));
    EXPECT_EQ(s.getOneValue(ICAP_XFERMECH), TW_UINT32(TWSX_NATIVE));
    EXPECT_EQ(s.getOneValue(ICAP_COMPRESSION), TW_UINT32(TWCP_NONE));
    EXPECT_EQ(s.getOneValue(ICAP_XRESOLUTION), TW_UINT32(50)) << "50 dpi as a fixed-point number";

    ASSERT_EQ(s.setOneValue(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY), TWRC_SUCCESS);
    EXPECT_EQ(s.getOneValue(ICAP_PIXELTYPE), TW_UINT32(TWPT_GRAY));
    EXPECT_EQ(s.getOneValue(ICAP_PIXELFLAVOR), TW_UINT32(TWPF_CHOCOLATE));
    EXPECT_EQ(s.getOneValue(ICAP_BITDEPTH), 8u);
    EXPECT_EQ(s.setOneValue(ICAP_PIXELFLAVOR, TWTY_UINT16, TWPF_VANILLA), TWRC_FAILURE)
        << "gray samples cannot be inverted";

    // One-bit frames mark black with a set bit: zero is the lightest.
    ASSERT_EQ(s.setOneValue(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_BW), TWRC_SUCCESS);
    EXPECT_EQ(s.getOneValue(ICAP_PIXELTYPE), TW_UINT32(TWPT_BW));
    EXPECT_EQ(s.getOneValue(ICAP_PIXELFLAVOR), TW_UINT32(TWPF_VANILLA));
    EXPECT_EQ(s.getOneValue(ICAP_BITDEPTH), 1u);

    ASSERT_EQ(s.setOneValue(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_RGB), TWRC_SUCCESS);
    EXPECT_EQ(s.getOneValue(ICAP_PIXELTYPE), TW_UINT32(TWPT_RGB));
    EXPECT_EQ(s.getOneValue(ICAP_PIXELFLAVOR), TW_UINT32(TWPF_CHOCOLATE));

    TW_FIX32 tooFine { 30000, 0 };
    TW_UINT32 item;
    std::memcpy(&item, &tooFine, sizeof item);
    EXPECT_EQ(s.setOneValue(ICAP_XRESOLUTION, TWTY_FIX32, item), TWRC_FAILURE) << "beyond the device's range";
}
