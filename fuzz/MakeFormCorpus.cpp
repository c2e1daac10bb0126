// Writes the seed corpus of the form reader fuzzer: small form sources compiled to binary
// streams, plus the shipped setup dialog as it is and as a plain TForm without its language
// control (the only part whose class the standard controls lack).
//
//   make_form_corpus <WendrixSetup.frm> <output directory>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/ObjectText.h"
#include "framework/rtl/Exceptions.h"

namespace {

struct Seed {
  const char* file;
  const char* text;
};

// Each seed drives a different part of the reader: the bare root record, every value kind the
// standard controls publish, nesting with references, and the inherited (moving a control to
// another parent) and child-order prefixes.
constexpr Seed kSeeds[] = {
    {"minimal.bin", R"(object Form1: TForm
end
)"},
    // Texts beyond Windows-1252 travel as wide strings: Cyrillic, Greek, Hebrew, Thai, Vietnamese
    // and CJK.
    {"scripts.bin", R"(object Scripts: TForm
  Caption = #1057#1086#1093' '#913#960' '#1513#1502' '#3610#3633' L'#432'u '#20445#23384' '#51200
  Hint = 'plain'
end
)"},
    {"values.bin", R"(object Values: TForm
  Left = -3
  Top = -300
  ClientHeight = 70000
  ClientWidth = -70000
  BorderIcons = [biSystemMenu, biMinimize, biMaximize, biHelp]
  BorderStyle = bsToolWindow
  Position = poScreenCenter
  Caption = 'Quote '' and code '#233' and'#13#10 +
    ' a continued line'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = $00FF8000
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = [fsBold, fsItalic]
  Icon.Data = {0000010001001010}
  Tag = 2147483647
  PixelsPerInch = 120
  TextHeight = 16
  object Label1: TLabel
    Caption =
      '0123456789012345678901234567890123456789012345678901234567890123' +
      '0123456789012345678901234567890123456789012345678901234567890123' +
      '0123456789012345678901234567890123456789012345678901234567890123' +
      '0123456789012345678901234567890123456789012345678901234567890123' +
      'a long string'
    AutoSize = False
    WordWrap = True
    Transparent = True
    ParentColor = False
    ParentFont = True
  end
  object Edit1: TEdit
    Text = ''
    ReadOnly = True
    Enabled = False
    Visible = False
    TabStop = False
    TabOrder = 3
    Anchors = []
  end
  object Button1: TButton
    Caption = '&Go'
    Default = True
    Anchors = [akLeft, akTop, akRight, akBottom]
  end
  object Image1: TImage
    Stretch = True
    Picture.Data = {055449636F6E000001000100}
  end
  object Dialog1: TOpenDialog
    DefaultExt = 'conf'
    FileName = 'C:\httpd.conf'
    Filter = 'Config|*.conf|All|*.*'
    FilterIndex = 2
    InitialDir = 'C:\'
    Title = 'Open'
    Left = 16
    Top = 392
  end
end
)"},
    {"nesting.bin", R"(object Nesting: TForm
  object Pages: TPageControl
    ActivePage = Second
    object First: TTabSheet
      Caption = 'First'
      TabVisible = False
      object Box: TGroupBox
        Caption = 'Box'
        object Panel1: TPanel
          BevelInner = bvLowered
          BevelOuter = bvNone
          object Inner: TEdit
            Text = 'inside'
          end
        end
      end
    end
    object Second: TTabSheet
      Caption = 'Second'
    end
  end
  object Missing: TPageControl
    ActivePage = Nowhere
  end
end
)"},
    // The standard controls with their string lists, a choice beyond the items, a second
    // checked radio button of the group, a radio group of no columns.
    {"standard-controls.bin", R"(object Choices: TForm
  object Check: TCheckBox
    Caption = 'Check'
    Checked = True
  end
  object One: TRadioButton
    Checked = True
  end
  object Two: TRadioButton
    Checked = True
  end
  object Group: TRadioGroup
    Columns = 0
    ItemIndex = 7
    Items.Strings = (
      'a'
      'b')
  end
  object Combo: TComboBox
    ItemIndex = 1
    Items.Strings = (
      'x'
      'y')
    Style = csDropDownList
    Text = 'x'
  end
  object Edited: TComboBox
    DropDownCount = -1
    Text = 'free'
  end
  object List: TListBox
    ItemIndex = -5
    Items.Strings = (
      '')
  end
  object Memo: TMemo
    Lines.Strings = (
      'one'
      ''
      'three')
    ScrollBars = ssBoth
    WordWrap = False
  end
end
)"},
    {"prefixes.bin", R"(object Prefixes: TForm
  object Panel1: TPanel
    object Button1: TButton
    end
  end
  inherited Button1: TButton
    Caption = 'moved'
  end
  object Panel2: TPanel
    inherited Panel1: TPanel
    end
  end
  object Button2: TButton [0]
  end
  inline Edit1: TEdit [1]
  end
end
)"},
};

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw wdx::Exception("cannot read " + path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The shipped dialog with a TForm root and without the language control object, whose class the
// standard controls do not provide.
std::string PlainFormVariant(const std::string& source) {
  std::istringstream lines(source);
  std::string out;
  std::string line;
  bool skipping = false;
  bool rootDone = false;
  while (std::getline(lines, line)) {
    if (!rootDone && line.rfind("object ", 0) == 0) {
      line = line.substr(0, line.find(':')) + ": TForm";
      rootDone = true;
    }
    if (line.rfind("  object LangControl:", 0) == 0) skipping = true;
    if (!skipping) out += line + "\n";
    if (skipping && line == "  end") skipping = false;
  }
  return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  if (!file) throw wdx::Exception("cannot write " + path);
  std::printf("%s: %zu bytes\n", path.c_str(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <WendrixSetup.frm> <output directory>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[2];
  try {
    for (const Seed& seed : kSeeds) {
      WriteFile(dir + "/" + seed.file, wdx::ObjectTextToBinary(seed.text));
    }
    const std::string shipped = ReadText(argv[1]);
    WriteFile(dir + "/WendrixSetup.bin", wdx::ObjectTextToBinary(shipped));
    WriteFile(dir + "/WendrixSetup-TForm.bin", wdx::ObjectTextToBinary(PlainFormVariant(shipped)));
  } catch (const wdx::Exception& error) {
    std::fprintf(stderr, "make_form_corpus: %s\n", error.Message().c_str());
    return 1;
  }
  return 0;
}
