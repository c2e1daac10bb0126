#include "setup/StringsUnit.h"

namespace wdx::strings {

const TText kApplicationTitle =
    WDX_TEXT("Setup.ApplicationTitle", "Korvane Wendrix [ Configuration ]");

//. Four lines; the third one is a web address to keep as it is.
const TText kIisAborted = WDX_TEXT(
    "Setup.IisAborted",
    "Korvane Wendrix IIS installation aborted. Reason:\r"
    "Active Directory Services Interface is not installed on this computer.\r"
    "Visit: "
    "https://learn.microsoft.com/windows/win32/adsi/active-directory-service-interfaces-adsi\r"
    "for details and download.");
//. Asked before the web application is registered with IIS; the answers are Yes and No.
const TText kSetupIisQuestion =
    WDX_TEXT("Setup.IisQuestion", "Setup Korvane Wendrix under IIS (Internet Information Server)?");
//. Asked before the web application is added to Apache's configuration; Yes or No.
const TText kSetupApacheQuestion =
    WDX_TEXT("Setup.ApacheQuestion", "Setup Korvane Wendrix under Apache Web Server?");
//. Two lines; httpd.conf is the file's name.
const TText kApacheConfNotFound =
    WDX_TEXT("Setup.ApacheConfNotFound",
             "Apache configuration file httpd.conf not found. Installation aborted.\r"
             " Please locate configuration file and re-run installation");
const TText kUnableToConfigure = WDX_TEXT(
    "Setup.UnableToConfigure",
    "The setup was unable to configure the Web Server. Please follow manual configuration setup.");
//. application.cfg is the name of the web application's configuration file.
const TText kFieldLineBreakInConfig = WDX_TEXT("Setup.FieldLineBreakInConfig",
                                               "The field \"{field}\" contains a line break or a "
                                               "zero byte, which application.cfg cannot hold. "
                                               "Please remove it and save again.");
const TText kFieldLineBreakInPath = WDX_TEXT(
    "Setup.FieldLineBreakInPath",
    "The field \"{field}\" contains a line break or a zero byte, which a file path cannot hold. "
    "Please remove it and save again.");
const TText kFieldApostropheRefused = WDX_TEXT(
    "Setup.FieldApostropheRefused",
    "The field \"{field}\" contains the character ', which application.cfg cannot hold: it would "
    "end the value early. Please remove it and save again.");
const TText kFieldBackslashRefused = WDX_TEXT(
    "Setup.FieldBackslashRefused",
    "The field \"{field}\" ends in a backslash or contains two backslashes in a row, which "
    "application.cfg cannot hold: the web application would not read the value as typed. Please "
    "change it and save again.");
const TText kFieldCodePageRefused = WDX_TEXT(
    "Setup.FieldCodePageRefused",
    "The field \"{field}\" contains the character {character}, which application.cfg cannot hold: "
    "the system writes it in the code page {codepage}. Please remove it and save again.");
const TText kInstallDirLineBreak = WDX_TEXT(
    "Setup.InstallDirLineBreak",
    "The installation folder \"{folder}\" contains a line break, which application.cfg cannot "
    "hold. Please install Korvane Wendrix in another folder.");
//. {file} is application.cfg or httpd.conf.
const TText kInstallDirCharacter = WDX_TEXT(
    "Setup.InstallDirCharacter",
    "The installation folder \"{folder}\" contains the character {character}, which {file} cannot "
    "hold. Please install Korvane Wendrix in another folder.");
const TText kInstallDirBackslashes = WDX_TEXT(
    "Setup.InstallDirBackslashes",
    "The installation folder \"{folder}\" contains two backslashes in a row, which application.cfg "
    "cannot hold. Please install Korvane Wendrix in another folder.");

//. Under the fields of the first page. "Manager Menu | System | Configuration" is the path through
//. the web application's menus.
const TText kInstructions = WDX_TEXT(
    "Setup.Instructions",
    "To complete the Korvane Wendrix setup, please provide the above information. If you are "
    "unsure, leave the default settings. They can be manually changed later in the Manager Menu | "
    "System | Configuration.");

const char* const kApacheBlock =
    "######### Korvane Wendrix installation BEGIN #########\r\n"
    "Alias /wendrix/ \"%PATH%/www/wendrix/\"\r\n"
    "<Directory \"%PATH%/www/wendrix\">\r\n"
    "Options   FollowSymLinks\r\n"
    "AllowOverride None\r\n"
    "Order allow,deny\r\n"
    "Allow from all\r\n"
    "DirectoryIndex default.htm\r\n"
    "</Directory>\r\n"
    "\r\n"
    "<Directory \"%PATH%/www/wendrix/cgi-bin/\">\r\n"
    "Options  ExecCGI\r\n"
    "AllowOverride None\r\n"
    "Order allow,deny\r\n"
    "Allow from all\r\n"
    "AddHandler cgi-script .exe\r\n"
    "</Directory>\r\n"
    "######### Korvane Wendrix installation END #########\r\n";

const char* const kStartPageTitle = "Korvane Wendrix V3.0";
const char* const kStartPageUrl = "/wendrix/cgi-bin/bastrel.exe?action=start";
const char* const kGettingStartedTitle = "Getting Started (A step by step guide)";
const char* const kGettingStartedUrl = "/wendrix/help/english/docs/step_by_step.html";

}  // namespace wdx::strings
