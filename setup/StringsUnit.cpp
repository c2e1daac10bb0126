#include "setup/StringsUnit.h"

namespace wdx::strings {

const char* const kApplicationTitle = "Korvane Wendrix [ Configuration ]";

// Four lines separated by carriage returns alone.
const char* const kIisAborted =
    "Korvane Wendrix IIS installation aborted. Reason:\r"
    "Active Directory Services Interface is not installed on this computer.\r"
    "Visit: "
    "https://learn.microsoft.com/windows/win32/adsi/active-directory-service-interfaces-adsi\r"
    "for details and download.";
const char* const kSetupIisQuestion =
    "Setup Korvane Wendrix under IIS (Internet Information Server)?";
const char* const kSetupApacheQuestion = "Setup Korvane Wendrix under Apache Web Server?";
const char* const kApacheConfNotFound =
    "Apache configuration file httpd.conf not found. Installation aborted.\r"
    " Please locate configuration file and re-run installation";
const char* const kUnableToConfigure =
    "The setup was unable to configure the Web Server. Please follow manual configuration setup.";
const char* const kFieldCharacterRefused =
    "The field \"%s\" contains the character %c, which application.cfg cannot hold: it would end "
    "the value early. Please remove it and save again.";
const char* const kFieldBackslashRefused =
    "The field \"%s\" ends in a backslash or contains two backslashes in a row, which "
    "application.cfg cannot hold: the web application would not read the value as typed. Please "
    "change it and save again.";
const char* const kFieldLineBreakRefused =
    "The field \"%s\" contains a line break or a zero byte, which %s cannot hold. Please remove it "
    "and save again.";
const char* const kFieldCodePageRefused =
    "The field \"%s\" contains the character %s, which %s cannot hold: the system writes it in "
    "the code page %s. Please remove it and save again.";
const char* const kInstallDirRefused =
    "The installation folder \"%s\" contains %s, which %s cannot hold. Please install Korvane "
    "Wendrix in another folder.";

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
