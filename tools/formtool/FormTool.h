// formtool: the form-stream tool.
//
//   formtool dump <file>            the stream as indented text (records, names, tags, values)
//   formtool load <file> -o <out>   read into live objects of the program's classes, write back
//   formtool shipped -o <out>       the dialog's embedded form stream
//   formtool po-export <form> <language> -o <file.po>   one language's texts as a PO file
//   formtool po-import <form> <file.po>... -o <out>     the PO files' texts stored in the form
//   formtool pot <form> -o <file.pot>                   the template of the form's texts
//   formtool languages <form>                           each language and how much is translated
//   formtool text <stream> [-o <file.frm>]              the stream as form source
//   formtool --help                 the usage, on standard output
//
// Wherever a command reads a stream, a form source (told by its content) is compiled first.
//
// Errors: a malformed stream that dump reads gives the records read so far, then
// "<file>: offset <n>: <message>" on standard error; a stream that load cannot load gives
// "<file>: <message>".
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace wdx {

// Runs one command; returns the exit code: 0 done, 1 failed (the error's message on `err`),
// 2 wrong usage (the usage on `err`).
int RunFormTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Reads `bytes` into a new instance of the class its root record names (a registered class, or
// that of the form formtool ships), the way a program loads a form, and writes that instance
// back with the writer.
std::vector<uint8_t> LoadAndWriteBack(const std::vector<uint8_t>& bytes);

}  // namespace wdx
