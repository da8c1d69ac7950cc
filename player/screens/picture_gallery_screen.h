// Mode 40: the picture gallery. The event pictures the reader has seen in
// the story, by character: fourteen tabs, one or two pages of up to nine
// thumbnails, each unlocked by any of its pictures in the list of pictures
// shown; choosing one shows its seen pictures full screen in table order,
// one per tap.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "player/screens/extras_screen.h"
#include "player/screens/extras_tables.h"

namespace marlit {

class PictureGalleryScreen : public ExtrasScreen {
  public:
    // Items (cursor values).
    static constexpr int kPreviousPage = 0;
    static constexpr int kNextPage = 1;
    static constexpr int kBack = 2;
    static constexpr int kFirstTab = 3;     // tabs 0-13: items 3-16
    static constexpr int kFirstPlace = 17;  // places 0-8: items 17-25
    static constexpr int kPlaceSprite = 128;
    static constexpr int kPictureSprite = 32;
    static constexpr int kSheetSlot = 12;
    static constexpr int kPictureSlot = 13;

    PictureGalleryScreen(ScreenServices services, ScenarioEngine& story, ExtrasTableSource tables)
        : ExtrasScreen(services, story), tables_(std::move(tables)) {}

    int character() const { return character_; }
    int page() const { return page_; }
    int placesInUse() const { return placesInUse_; }
    bool unlocked(int place) const;
    // The seen pictures a place shows, in table order.
    const std::vector<std::string>& placePictures(int place) const;
    // The picture number next shown (step 20/21).
    int pictureNumber() const { return pictureNumber_; }

    const ExtrasTables& tables() const { return tables_.tables(); }

  protected:
    void runStep() override;

  private:
    void buildPage();
    void look(int item, bool lit);
    void act();
    DesignRect hitRect(int item) const;

    ExtrasTableSource tables_;
    int character_ = 0;
    int page_ = 0;
    int placesInUse_ = 0;
    std::array<bool, ExtrasTables::kPlacesPerPage> unlocked_{};
    std::array<std::vector<std::string>, ExtrasTables::kPlacesPerPage> lists_{};
    int shownPlace_ = 0;
    int pictureNumber_ = 0;
};

}  // namespace marlit
