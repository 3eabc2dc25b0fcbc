#include "ButtonTables.h"

#include <algorithm>

namespace {

const char* CaptionStyle(int tag) {
    if (tag == TAG_NONE) {
        return nullptr;
    }
    const CatalogueRow* caption = LabelRowOf(tag);
    return caption && caption->keySource == Keys::Language ? KeyAt(*caption, 0) : nullptr;
}

}  // namespace

std::vector<const CatalogueRow*> SelectorGroupOf(const CatalogueRow& selector) {
    std::vector<const CatalogueRow*> group;
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        const CatalogueRow& row = kCatalogue[i];
        if (row.role == Role::Selector && row.state.member == selector.state.member) {
            group.push_back(&row);
        }
    }
    std::stable_sort(group.begin(), group.end(), [](const CatalogueRow* a, const CatalogueRow* b) {
        return a->state.value < b->state.value;
    });
    return group;
}

ButtonKeys ButtonKeysOf(const CatalogueRow& button) {
    int captionTag = button.tag;
    if (button.role == Role::Selector) {
        // The group's first in creation order.
        for (size_t i = 0; i < kCatalogueSize; ++i) {
            const CatalogueRow& row = kCatalogue[i];
            if (row.role == Role::Selector && row.state.member == button.state.member) {
                captionTag = row.tag;
                break;
            }
        }
    }
    return {KeyAt(button, 0), KeyAt(button, 1), CaptionStyle(captionTag)};
}

std::vector<const CatalogueRow*> PicturesShowing(const CatalogueRow& row) {
    std::vector<const CatalogueRow*> pictures;
    for (size_t i = 0; i < kCatalogueSize; ++i) {
        const CatalogueRow& picture = kCatalogue[i];
        if (picture.role == Role::Picture && row.state.member &&
            picture.state.member == row.state.member) {
            pictures.push_back(&picture);
        }
    }
    return pictures;
}
