// Golden checksums of every filter and effect at three intensities on a fixed picture: any later
// change to the arithmetic of a routine shows up here. The generator starts from the classic seed
// 1 for every run.

#include "FakeHost.h"
#include "Pictures.h"
#include "editing/effects/FilterCommands.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <map>

namespace gp {
namespace {

struct Golden {
    int command;
    int intensity;
    bool gray;
    std::uint64_t sum;
};

const Golden kGolden[] = {
    { 253, 1, false, 0x7ba0217741604c40ull },
    { 253, 50, false, 0x1ed74f66894eb9f5ull },
    { 253, 100, false, 0x4d77594215d6a15bull },
    { 253, 50, true, 0xfbbdace8c46c72ebull },
    { 254, 1, false, 0xd3309634ebd452a2ull },
    { 254, 50, false, 0xec50e8ebdc4741bbull },
    { 254, 100, false, 0x76abacda16e3b9a4ull },
    { 254, 50, true, 0x911abe664a55757aull },
    { 300, 1, false, 0xb79868c1ce42c5c2ull },
    { 300, 50, false, 0xaad81f03af02723aull },
    { 300, 100, false, 0x0a4a249cfd7cfa1aull },
    { 300, 50, true, 0x6bfda5c096ed0234ull },
    { 301, 1, false, 0x9fb90556f93183fdull },
    { 301, 50, false, 0xc802d80a148aafa1ull },
    { 301, 100, false, 0x077833055094e5fdull },
    { 301, 50, true, 0x8954a4fdc3c39519ull },
    { 302, 1, false, 0xa41e4baaae72059cull },
    { 302, 50, false, 0x779f80dc762ee785ull },
    { 302, 100, false, 0x38a6e8ab3e8e2483ull },
    { 302, 50, true, 0x7cad7cf743ddccf8ull },
    { 303, 1, false, 0x3b88c8e5407a3f4aull },
    { 303, 50, false, 0x26a56ae2c924f2f0ull },
    { 303, 100, false, 0x26a56ae2c924f2f0ull },
    { 303, 50, true, 0xa0e757cf33b4a0fcull },
    { 304, 1, false, 0xa8c401998437d2a2ull },
    { 304, 50, false, 0x74f0fecba2bfa5aeull },
    { 304, 100, false, 0x14e884fb1e593c06ull },
    { 304, 50, true, 0xcff9b70abc1cacb4ull },
    { 305, 1, false, 0x5264cc5ba7202006ull },
    { 305, 50, false, 0xf1929f99335a570aull },
    { 305, 100, false, 0xd4a9fcd4e5c5ac39ull },
    { 305, 50, true, 0x090f2544c514ab0eull },
    { 306, 1, false, 0x5264cc5ba7202006ull },
    { 306, 50, false, 0xfaedb3db455268efull },
    { 306, 100, false, 0x1be9dec3472fdb78ull },
    { 306, 50, true, 0x027cbaf39ff58ffaull },
    { 307, 1, false, 0x7683e68887c87338ull },
    { 307, 50, false, 0xe8a5853d6d5e4c3full },
    { 307, 100, false, 0xef6701246be66aa6ull },
    { 307, 50, true, 0x28bb65c69554b0cbull },
    { 308, 1, false, 0x5264cc5ba7202006ull },
    { 308, 50, false, 0x7072a9ac5fecbc25ull },
    { 308, 100, false, 0x7b3355e8454e4555ull },
    { 308, 50, true, 0xe629a956f8a9ad6dull },
    { 309, 1, false, 0xa1c3566759bec175ull },
    { 309, 50, false, 0x62ce08d246a1929aull },
    { 309, 100, false, 0x62b56d6cb2afe084ull },
    { 309, 50, true, 0x6ea5b8218ef419aeull },
    { 310, 1, false, 0x5264cc5ba7202006ull },
    { 310, 50, false, 0x53024012b9eb6002ull },
    { 310, 100, false, 0x7f310cc154eb3ee3ull },
    { 310, 50, true, 0x3f1e07010aa2672full },
    { 311, 1, false, 0x5264cc5ba7202006ull },
    { 311, 50, false, 0x980b846aabad1c7full },
    { 311, 100, false, 0x6f07f9e4040fbdc6ull },
    { 311, 50, true, 0xfdaa35f712c68633ull },
    { 312, 1, false, 0x5264cc5ba7202006ull },
    { 312, 50, false, 0xced0f091b9c6cbf5ull },
    { 312, 100, false, 0x9322c1fd1c7e3afcull },
    { 312, 50, true, 0x1843a02b5a10de3aull },
    { 313, 1, false, 0x5264cc5ba7202006ull },
    { 313, 50, false, 0x26c93329852c1b62ull },
    { 313, 100, false, 0xff42621e4641be16ull },
    { 313, 50, true, 0x7d3463e6391c1b34ull },
    { 314, 1, false, 0x0b77cb6aae885835ull },
    { 314, 50, false, 0x0d1ff1632e0aaaa7ull },
    { 314, 100, false, 0x04d008d652d70f65ull },
    { 314, 50, true, 0xa292cfc1f752b26full },
    { 315, 1, false, 0x40b9531c5fc77307ull },
    { 315, 50, false, 0xdd84d0eddc199692ull },
    { 315, 100, false, 0x2c374539876e4922ull },
    { 315, 50, true, 0xe334f4f688bbe26dull },
    { 316, 1, false, 0xede6efa1902a8cbbull },
    { 316, 50, false, 0x5f9c61b1f6deb55cull },
    { 316, 100, false, 0xb99feefed8cb3628ull },
    { 316, 50, true, 0x9d503b6f215c870dull },
    { 317, 1, false, 0x5264cc5ba7202006ull },
    { 317, 50, false, 0x69fd04d73addc17eull },
    { 317, 100, false, 0x33762f67ad3aafc0ull },
    { 317, 50, true, 0x1c65f20123dce3cfull },
};

TEST(EffectGolden, ChecksumsStayTheSame)
{
    test::FakeHost host;
    Allocator allocator(host);
    FilterRun run { allocator, host, false };
    const Image rgb = test::goldenRgb();
    const Image gray = test::goldenGray();
    std::map<std::pair<int, int>, int> seen;
    for (const Golden& golden : kGolden) {
        ClassicRandom random;
        const EffectInputs inputs { random, Rgb { 200, 40, 90 } };
        auto result = runFilterCommand(golden.command, golden.gray ? gray : rgb, golden.intensity, inputs, run);
        ASSERT_TRUE(result) << golden.command;
        const std::uint64_t sum = test::checksum(*result);
        char line[96];
        std::snprintf(line, sizeof line, "    {%d, %d, %s, 0x%016" PRIx64 "ull},", golden.command, golden.intensity,
            golden.gray ? "true" : "false", sum);
        EXPECT_EQ(sum, golden.sum) << line;
        ++seen[{ golden.command, golden.gray }];
    }
    for (int command = 300; command <= 317; ++command)
        EXPECT_EQ((seen[{ command, false }]), 3) << command;
    EXPECT_EQ((seen[{ 253, false }]), 3);
    EXPECT_EQ((seen[{ 254, false }]), 3);
}

} // namespace
} // namespace gp
