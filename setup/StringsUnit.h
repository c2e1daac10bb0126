// The setup program's texts: its title, the messages of its boxes, the Apache block and the
// shortcuts.
#pragma once

#include "framework/rtl/Texts.h"

namespace wdx::strings {

// The texts the program shows, translated (framework/rtl/Texts.h): the title and the messages of
// its boxes. Placeholders: {field} a field's name as the dialog shows it, {character} a character
// ("'", "\"", or as CharacterName gives it), {codepage} a code page's name, {folder} the
// installation folder, {file} a file's name.
extern const TText kApplicationTitle;
extern const TText kIisAborted;  // the directory-service library is missing
extern const TText kSetupIisQuestion;
extern const TText kSetupApacheQuestion;
extern const TText kApacheConfNotFound;
extern const TText kUnableToConfigure;
extern const TText kFieldLineBreakInConfig;
extern const TText kFieldLineBreakInPath;
extern const TText kFieldApostropheRefused;
extern const TText kFieldBackslashRefused;
extern const TText kFieldCodePageRefused;
extern const TText kInstallDirLineBreak;
extern const TText kInstallDirCharacter;
extern const TText kInstallDirBackslashes;
// The instructions under the first page's fields (Label8), which the form's language data does
// not list: the program shows them in the form's language itself.
extern const TText kInstructions;

// What the program writes into files, never translated.

// The block appended to httpd.conf; "%PATH%" stands for the installation path with forward
// slashes. Every line ends with CR LF.
extern const char* const kApacheBlock;

// The shortcuts' titles are their file names.
extern const char* const kStartPageTitle;
extern const char* const kStartPageUrl;  // "http://" + domain + this
extern const char* const kGettingStartedTitle;
extern const char* const kGettingStartedUrl;  // "http://" + domain + this

}  // namespace wdx::strings
