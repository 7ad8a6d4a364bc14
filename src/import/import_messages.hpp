#pragma once
// What the importer tells its user: a refusal ends the import with a message
// that names the element, its station and what to do; warnings say where the
// cards' precision or the file's content changes what the deck describes.

#include <stdexcept>
#include <string>
#include <vector>

namespace bp::import {

// The file (or the requested window of it) cannot be written as a deck.
class ImportRefused : public std::runtime_error {
public:
    explicit ImportRefused(const std::string& message) : std::runtime_error(message) {}
};

// Messages gathered during one import, in the order they arose.
struct ImportNotes {
    std::vector<std::string> lines;
    void add(std::string message) { lines.push_back(std::move(message)); }
};

}   // namespace bp::import
