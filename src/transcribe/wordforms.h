// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transcribeoptions.h"

#include <span>
#include <string_view>
#include <vector>

namespace korv {

// One pronunciation of a word that has several, in the dictionaries' symbols.
struct WordForm {
    std::string_view word;  // lower case
    std::string_view label; // what tells it apart: "noun", "past", "weak"…
    std::string_view rp;
    std::string_view ga;
};

// Every form in the table, sorted by word, a word's forms most common first.
std::span<const WordForm> allWordForms();

// The forms of a word spelt in lower case, most common first; empty when it has one.
std::span<const WordForm> wordForms(std::string_view lowerCaseWord);

// The form's transcription in an accent.
inline std::string_view formIpa(const WordForm& form, Accent accent) {
    return accent == Accent::Ga ? form.ga : form.rp;
}

} // namespace korv
