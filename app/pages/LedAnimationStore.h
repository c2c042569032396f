// The LED animations of one keyboard model: numbered PNG frames in a folder of their own
// (LedPaths), one animation row and one row per frame in the profile store. The first
// rows, one per screen slot, are the slots' default animations, imported once from the
// GIF files shipped beside the program; the rows after them are the user's animations.
//
// Every new folder and frame file gets a name of its own (LedStampClock, checked against
// what is on disk), so nothing already stored is overwritten. Files are only written or
// removed inside the model's animation folders.
#pragma once
#include <functional>
#include <optional>
#include <vector>
#include "core/CString.h"
#include "pages/LedPaths.h"
#include "pages/LedStampClock.h"
#include "store/KeyboardDataStore.h"

struct LedSlotItem {
  CString picture;  // the slot's default picture ("" until imported)
  CString frameTip;  // "<text 871> <frames>"
  CString limitTip;  // "<text 872> <limit>"
};

struct LedListItem {
  CString text;     // the animation's folder
  CString picture;  // its first frame ("" when it has none or cannot be placed)
  int frameSize = 0;
  int ledId = 0;
};

struct LedFrameItem {
  CString picture;  // "" when the row names no file of the animation's folder
  int delay = 0;
  int frameId = 0;
  CString name;
  bool copied = true;  // a frame added from a file: whether the copy was written
};

// A frame of the frame strip when the animation is saved.
struct LedStripFrame {
  CString picture;
  CString editedPicture;  // the editor's working copy, or the picture when not edited
  int delay = 0;
  CString name;
};

class LedAnimationStore {
public:
  // Splits a GIF into "<folder>\<i>.png" (i from 0) and answers the number of frames,
  // 0 when it cannot read the file; `delaysMs` gets one delay per frame, or none.
  using GifSplitter = std::function<int(const CString& gif, const CString& folder, std::vector<int>& delaysMs)>;

  static constexpr int kMaxSlots = 5;
  // The delay of a frame whose GIF gives none, and of a picture added as a frame.
  static constexpr int kGifFrameDelay = 100;
  static constexpr int kPictureDelay = 50;

  LedAnimationStore(KeyboardDataStore& store, const LedPaths& paths, GifSplitter splitter,
                    LedStampClock clock = LedStampClock());

  // Imports each slot's default GIF when the store holds no animation at all (a new
  // database, or one after a factory reset); slots without their GIF are skipped. The
  // first import also makes the slots' default pictures and screen rows. Answers the
  // animations imported.
  int ImportDefaults(int slotCount);

  struct Page {
    std::vector<LedSlotItem> slots;  // none while no screen row exists
    std::vector<LedListItem> animations;
  };
  // What the page shows, importing the defaults first when there is no animation.
  // `limits` holds the frame limit of each slot.
  Page LoadPage(int slotCount, const int (&limits)[kMaxSlots]);
  // The frames of an animation in their order.
  std::vector<LedFrameItem> LoadFrames(int ledId);

  // A new, empty animation named by a fresh stamp with its folder; 0 (and no folder)
  // when the store cannot add it.
  int AddAnimation(CString* stamp = nullptr);
  // Removes the animation's folder with its files and its rows. A row whose folder name
  // is not a plain name loses its rows but no file. Answers whether the row was deleted.
  bool DeleteAnimation(int ledId);

  // Writes the strip back: an edited frame's working copy replaces its file (only a file
  // of this animation's folder), and the frame rows are replaced in one step, so a store
  // failure keeps the rows the animation had. Answers whether all rows were written.
  bool SaveFrames(int ledId, const std::vector<LedStripFrame>& frames);
  // The animation row's first file and frame count after a save; answers the count.
  int UpdateSummary(int ledId, const CString& firstFile);
  // Copies a picture into the animation as a new frame file "<stamp>.png". Nothing when
  // the animation has no usable folder or the source path is too long; a failed copy
  // still gives the item (it shows no picture), with `copied` false.
  std::optional<LedFrameItem> AddFrameFile(int ledId, const CString& source, int delay);

private:
  // A stamp whose folder (or file, with `extension`) does not exist yet under `folder`.
  CString FreshStamp(const CString& folder, const wchar_t* extension);
  bool ImportSlot(int slot, bool makeScreenRow);
  std::optional<CString> FolderOf(int ledId);

  KeyboardDataStore& m_store;
  LedPaths m_paths;
  GifSplitter m_splitter;
  LedStampClock m_clock;
};
