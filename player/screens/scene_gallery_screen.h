// Mode 50: the scene gallery. The story's scenes by character, eight to a
// page, a scene shown as a bar with its date once its script has been
// entered; choosing one replays it in the story engine (the save items
// off), and the end of the replay comes back here (sub-state 30) on the
// same character and page.
#pragma once

#include <array>
#include <string>

#include "player/screens/extras_screen.h"
#include "player/screens/extras_tables.h"

namespace marlit {

class SceneGalleryScreen : public ExtrasScreen {
  public:
    // Items (cursor values).
    static constexpr int kFivePagesBack = 0;
    static constexpr int kPreviousPage = 1;
    static constexpr int kNextPage = 2;
    static constexpr int kFivePagesOn = 3;
    static constexpr int kBack = 4;
    static constexpr int kFirstTab = 5;     // tabs 0-13: items 5-18
    static constexpr int kFirstPlace = 19;  // places 0-7: items 19-26
    static constexpr int kItems = 27;
    static constexpr int kFirstBarSprite = 128;
    static constexpr int kSheetSlot = 12;

    enum class Place { Empty = 0, NotSeen = 1, Seen = 2 };

    SceneGalleryScreen(ScreenServices services, ScenarioEngine& story, ExtrasTableSource tables,
                       ExtrasHooks hooks)
        : ExtrasScreen(services, story), tables_(std::move(tables)), hooks_(std::move(hooks)) {}

    int character() const { return character_; }
    int page() const { return page_; }
    Place place(int i) const { return places_[static_cast<size_t>(i)]; }
    // Set while a scene chosen here replays in the story engine.
    bool replaying() const { return story_.state.sceneReplay != 0; }
    // The page a page button leads to from `page` of `pages`.
    static int pageAfter(int button, int page, int pages);
    // The date badge of a date number in the parts sheet.
    static DesignRect badgeSource(int date);

    const ExtrasTables& tables() const { return tables_.tables(); }

  protected:
    void runStep() override;

  private:
    void buildPage();
    void buildScreen();
    void look(int item, bool lit);
    void act();
    void replay();
    DesignRect hitRect(int item) const;

    ExtrasTableSource tables_;
    ExtrasHooks hooks_;
    int character_ = 0;
    int page_ = 0;
    std::array<Place, ExtrasTables::kScenesPerPage> places_{};
    std::array<std::string, ExtrasTables::kScenesPerPage> scripts_{};
    int chosenPlace_ = 0;
};

}  // namespace marlit
