#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "TornSharedImage.h"
#include "monitor/SharedImageShare.h"

namespace monitor::testing {
namespace {

std::unique_ptr<settings::SettingsImage> patterned(unsigned char seed) {
  auto image = std::make_unique<settings::SettingsImage>();
  auto* bytes = reinterpret_cast<unsigned char*>(image.get());
  for (std::size_t i = 0; i < settings::kImageSize; ++i) bytes[i] = (i * 7 + seed) % 251;
  return image;
}

bool same(const settings::SettingsImage& a, const settings::SettingsImage& b) {
  return std::memcmp(&a, &b, settings::kImageSize) == 0;
}

TEST(SharedImageShare, ARecordTornByADeadWriterIsReplacedByTheMonitorsOwn) {
  SharedImageShare share;
  ASSERT_EQ(share.create(), ImageShare::Created::Ok);
  const auto own = patterned(1);
  ASSERT_TRUE(share.write(*own));

  // An editor dies half-way through copying its image in.
  ASSERT_TRUE(tearSharedImage(0xEE));
  auto into = patterned(2);
  EXPECT_FALSE(share.read(*into, *own)) << "a torn record was taken as whole";
  EXPECT_TRUE(same(*into, *own)) << "the torn record was copied";

  // The Monitor's own image is back in the shared memory for every reader.
  auto again = std::make_unique<settings::SettingsImage>();
  ASSERT_TRUE(share.read(*again, *own));
  EXPECT_TRUE(same(*again, *own));

  // Reading into the Monitor's own image leaves it as it was, and republishes it.
  ASSERT_TRUE(tearSharedImage(0x11));
  auto self = patterned(1);
  EXPECT_FALSE(share.read(*self, *self));
  EXPECT_TRUE(same(*self, *own));
  ASSERT_TRUE(share.read(*again, *own));
  EXPECT_TRUE(same(*again, *own));
  share.close();
}

}  // namespace
}  // namespace monitor::testing
