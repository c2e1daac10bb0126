// The texts of a program's code that its users read, marked where they are written with a name
// and the English text side by side:
//
//   const TText kSaveQuestion = WDX_TEXT("Setup.SaveQuestion", "Save the settings to {file}?");
//   MessageDlg(Translate(kSaveQuestion, {{"file", path}}), ...);
//
// The name is the message's context for translators and stays when the English text changes. The
// build finds every WDX_TEXT in a program's sources (formc --texts), puts the texts in the
// program's translation template beside its form's, and compiles their translations into the
// program beside its form; at run time Translate gives a text in the language the program's forms
// show (TextCatalogue.h), switching with them. A value a text takes is a placeholder in braces,
// "{file}", so that a translation can put it where its language wants it.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace wdx {

struct TText {
  const char* Name;
  const char* English;
};

// Both arguments must be string literals (adjacent ones join): the build reads them from the
// source.
#define WDX_TEXT(name, english) (::wdx::TText{name, english})

using TTextValues = std::initializer_list<std::pair<std::string_view, std::string_view>>;

// The text in the program's language, else in English.
std::string Translate(const TText& text);
// The same with its placeholders filled.
std::string Translate(const TText& text, TTextValues values);

// `text` with each "{name}" that `values` has replaced by its value; "{{" and "}}" stand for
// single braces; a placeholder `values` lacks stays as written.
std::string FillPlaceholders(std::string_view text, TTextValues values);

}  // namespace wdx
