// The setup program's texts: its title, the messages of its boxes and the Apache block.
#pragma once

namespace wdx::strings {

extern const char* const kApplicationTitle;

extern const char* const kIisAborted;  // the directory-service library is missing
extern const char* const kSetupIisQuestion;
extern const char* const kSetupApacheQuestion;
extern const char* const kApacheConfNotFound;
extern const char* const kUnableToConfigure;
// "%s" is the field's name as the dialog shows it, "%c" the character.
extern const char* const kFieldCharacterRefused;
// "%s" is the field's name as the dialog shows it.
extern const char* const kFieldBackslashRefused;
// "%s" is the field's name, then what cannot hold it ("application.cfg", "a file path").
extern const char* const kFieldLineBreakRefused;
// "%s" is the folder, then what it contains ("the character '", "a line break",
// "two backslashes in a row"), then the file.
extern const char* const kFieldCodePageRefused;
extern const char* const kInstallDirRefused;

// The block appended to httpd.conf; "%PATH%" stands for the installation path with forward
// slashes. Every line ends with CR LF.
extern const char* const kApacheBlock;

extern const char* const kStartPageTitle;
extern const char* const kStartPageUrl;  // "http://" + domain + this
extern const char* const kGettingStartedTitle;
extern const char* const kGettingStartedUrl;  // "http://" + domain + this

}  // namespace wdx::strings
