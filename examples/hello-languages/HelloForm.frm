// The example's form: its layout and English texts. The language control marks the texts that
// are translated, one "translate" line each; po/de.po holds their German, which the build merges
// into the form.
object HelloForm: THelloForm
  Left = 400
  Top = 300
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Hello, languages'
  ClientHeight = 97
  ClientWidth = 320
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object lbName: TLabel
    Left = 16
    Top = 20
    Width = 80
    Height = 13
    Caption = 'Your name:'
  end
  object edName: TEdit
    Left = 104
    Top = 16
    Width = 200
    Height = 21
    TabOrder = 0
    Text = 'World'
  end
  object btLanguage: TButton
    Left = 144
    Top = 60
    Width = 75
    Height = 23
    Caption = 'Deutsch'
    TabOrder = 1
    OnClick = btLanguageClick
  end
  object btQuit: TButton
    Left = 229
    Top = 60
    Width = 75
    Height = 23
    Caption = 'Quit'
    TabOrder = 2
    OnClick = btQuitClick
  end
  object LangControl: TLangControl
    Language = 'English'
    LanguageManager_Langs = <
      item
        Name = 'English'
        SubIndex = 0
      end>
    translate Owner.Caption
    translate lbName.Caption
    translate btLanguage.Caption
    translate btQuit.Caption
    LanguageManager_Names = ''
    LanguageManager_Values = ''
  end
end
