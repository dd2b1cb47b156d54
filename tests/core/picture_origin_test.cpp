#include "core/window/picture_origin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/data/key_list.h"

namespace wexmora {
namespace {

// The files resources/images/artwork.txt builds into both programs.
std::vector<std::string> builtInArtwork() {
  std::ifstream list(WEXMORA_SOURCE_DIR "/resources/images/artwork.txt");
  std::vector<std::string> files;
  for (std::string line; std::getline(list, line);)
    if (!line.empty() && line[0] != '#') files.push_back(line);
  return files;
}

// Every file a form can name, for each kind of picture.
std::vector<std::string> namedFiles() {
  std::vector<std::string> files;
  for (int i = 0; i < kBadgeCount; ++i) files.push_back(pictureOrigin({PictureSource::Badges, i}).file);
  for (int i = kFrontPhoto; i <= kIcon; ++i) files.push_back(pictureOrigin({PictureSource::Design, i}).file);
  std::erase(files, "");
  return files;
}

TEST(PictureOrigin, TheBuiltInArtworkIsExactlyTheFilesTheFormsName) {
  std::vector<std::string> listed = builtInArtwork();
  std::vector<std::string> named = namedFiles();
  ASSERT_FALSE(listed.empty()) << "resources/images/artwork.txt is missing or empty";
  std::sort(listed.begin(), listed.end());
  std::sort(named.begin(), named.end());
  EXPECT_EQ(std::adjacent_find(named.begin(), named.end()), named.end()) << "two pictures share a file";
  EXPECT_EQ(listed, named);
}

TEST(PictureOrigin, EachSourceGivesAFileADrawingOrNothing) {
  struct Case {
    Picture picture;
    const char* file;  // "" when the picture is drawn or absent
    bool drawn;
  };
  const int lastEntry = static_cast<int>(catalogue::kEntryCount) - 1;
  const Case cases[] = {
      {{PictureSource::None, 0}, "", false},
      {{PictureSource::Badges, 0}, "badges/badge-00.png", false},
      {{PictureSource::Badges, kNoPhotoBadge}, "badges/badge-46.png", false},
      {{PictureSource::Badges, kSiteQrBadge}, "", true},
      {{PictureSource::Badges, kBadgeCount}, "", false},
      {{PictureSource::Badges, -1}, "", false},
      {{PictureSource::Qr, 0}, "", true},
      {{PictureSource::Qr, lastEntry}, "", true},
      {{PictureSource::Qr, lastEntry + 1}, "", false},
      {{PictureSource::Qr, -1}, "", false},
      {{PictureSource::Design, kFrontPhoto}, "front-photo.jpg", false},
      {{PictureSource::Design, kIcon}, "icon.png", false},
      {{PictureSource::Design, kIcon + 1}, "", false},
      {{PictureSource::Design, -1}, "", false},
  };
  for (const Case& c : cases) {
    const PictureOrigin origin = pictureOrigin(c.picture);
    SCOPED_TRACE(testing::Message() << "source " << static_cast<int>(c.picture.source) << ", index "
                                    << c.picture.index);
    EXPECT_EQ(origin.file, c.file);
    EXPECT_EQ(origin.drawn.has_value(), c.drawn);
    EXPECT_EQ(origin.none(), !c.drawn && std::string(c.file).empty());
  }
}

TEST(PictureOrigin, OnlyJpegFilesAreDecodedAsJpeg) {
  EXPECT_TRUE(isJpegFile("front-photo.jpg"));
  EXPECT_TRUE(isJpegFile("about-logo.jpg"));
  EXPECT_FALSE(isJpegFile("badges/badge-07.png"));
  EXPECT_FALSE(isJpegFile("icon.png"));
  EXPECT_FALSE(isJpegFile(""));
}

}  // namespace
}  // namespace wexmora
