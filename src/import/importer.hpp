#pragma once
// From a LandXML file to the beginning of a problem: the problem card, the
// location card, the tie card, the horizontal and vertical curve cards and
// the crown and lane card for a window of stations of one alignment.

#include <string>

#include "import/import_messages.hpp"

namespace bp::import {

struct ImportRequest {
    std::string path;
    double from = 0, to = 0;   // stations in the file's unit, as the file numbers them
    std::string alignment;     // empty: the first
    std::string profile;       // empty: the alignment's first design profile
    int problem = 1;
};

struct ImportedDeck {
    std::string cards;   // card images, one per line, "\n" ends each
    ImportNotes notes;
};

// Refuses (ImportRefused) whatever the deck cannot hold.
ImportedDeck importDeck(const ImportRequest& request);

}   // namespace bp::import
