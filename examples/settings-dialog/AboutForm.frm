// The example's second form, shown modally over the settings: OK and Cancel give its result.
object AboutForm: TAboutForm
  Left = 460
  Top = 330
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'About'
  ClientHeight = 90
  ClientWidth = 260
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object lbAbout: TLabel
    Left = 16
    Top = 16
    Width = 228
    Height = 13
    Caption = 'A settings dialog in two languages.'
  end
  object btClose: TButton
    Left = 96
    Top = 56
    Width = 75
    Height = 23
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 0
  end
  object btBack: TButton
    Left = 177
    Top = 56
    Width = 75
    Height = 23
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 1
  end
  object LangControl: TLangControl
    Language = 'English'
    LanguageManager_Langs = <
      item
        Name = 'English'
        SubIndex = 0
      end>
    translate Owner.Caption
    translate lbAbout.Caption
    translate btBack.Caption
    LanguageManager_Names = ''
    LanguageManager_Values = ''
  end
end
