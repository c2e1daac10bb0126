// The example's settings dialog: every standard control, its layout and English texts. The
// language control names the texts that are translated, one "translate" line each, a line of a
// list by its number ("cbColour.Items[0]"); po/settings-de.po holds their German, which the build
// merges into the form.
object SettingsForm: TSettingsForm
  Left = 400
  Top = 250
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Settings'
  ClientHeight = 330
  ClientWidth = 400
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object pcSettings: TPageControl
    Left = 8
    Top = 8
    Width = 384
    Height = 276
    ActivePage = tsGeneral
    TabOrder = 0
    object tsGeneral: TTabSheet
      Caption = 'General'
      object lbName: TLabel
        Left = 8
        Top = 12
        Width = 60
        Height = 13
        Caption = 'Name:'
      end
      object edName: TEdit
        Left = 80
        Top = 8
        Width = 200
        Height = 21
        TabOrder = 0
        Text = 'Ada'
      end
      object cbNotify: TCheckBox
        Left = 8
        Top = 40
        Width = 180
        Height = 17
        Caption = 'Send notifications'
        Checked = True
        TabOrder = 1
      end
      object rbLight: TRadioButton
        Left = 8
        Top = 66
        Width = 150
        Height = 17
        Caption = 'Light theme'
        Checked = True
        TabOrder = 2
      end
      object rbDark: TRadioButton
        Left = 8
        Top = 88
        Width = 150
        Height = 17
        Caption = 'Dark theme'
        TabOrder = 3
      end
      object rgSize: TRadioGroup
        Left = 200
        Top = 40
        Width = 168
        Height = 96
        Caption = ' Text size '
        ItemIndex = 1
        Items.Strings = (
          'Small'
          'Medium'
          'Large')
        TabOrder = 4
      end
      object lbColour: TLabel
        Left = 8
        Top = 152
        Width = 60
        Height = 13
        Caption = 'Colour:'
      end
      object cbColour: TComboBox
        Left = 80
        Top = 148
        Width = 150
        Height = 21
        ItemIndex = 2
        Items.Strings = (
          'Red'
          'Green'
          'Blue')
        Style = csDropDownList
        TabOrder = 5
      end
      object lbCity: TLabel
        Left = 8
        Top = 184
        Width = 60
        Height = 13
        Caption = 'City:'
      end
      object cbCity: TComboBox
        Left = 80
        Top = 180
        Width = 150
        Height = 21
        ItemIndex = 1
        Items.Strings = (
          'London'
          'Paris'
          'Berlin')
        TabOrder = 6
        Text = 'Paris'
      end
    end
    object tsMore: TTabSheet
      Caption = 'More'
      object lbDay: TLabel
        Left = 8
        Top = 8
        Width = 150
        Height = 13
        Caption = 'Day of the backup:'
      end
      object lbDays: TListBox
        Left = 8
        Top = 26
        Width = 150
        Height = 108
        ItemIndex = 0
        Items.Strings = (
          'Monday'
          'Tuesday'
          'Wednesday'
          'Thursday'
          'Friday')
        TabOrder = 0
      end
      object lbNotes: TLabel
        Left = 176
        Top = 8
        Width = 150
        Height = 13
        Caption = 'Notes:'
      end
      object mmNotes: TMemo
        Left = 176
        Top = 26
        Width = 192
        Height = 108
        Lines.Strings = (
          'First line'
          'Second line')
        ScrollBars = ssVertical
        TabOrder = 1
      end
    end
  end
  object lbStatus: TLabel
    Left = 8
    Top = 300
    Width = 60
    Height = 13
    Caption = ''
  end
  object btAbout: TButton
    Left = 72
    Top = 296
    Width = 75
    Height = 23
    Caption = 'About...'
    TabOrder = 1
    OnClick = btAboutClick
  end
  object btLanguage: TButton
    Left = 152
    Top = 296
    Width = 75
    Height = 23
    Caption = 'Deutsch'
    TabOrder = 2
    OnClick = btLanguageClick
  end
  object btOK: TButton
    Left = 236
    Top = 296
    Width = 75
    Height = 23
    Caption = 'OK'
    Default = True
    TabOrder = 3
    OnClick = btOKClick
  end
  object btDiscard: TButton
    Left = 317
    Top = 296
    Width = 75
    Height = 23
    Cancel = True
    Caption = 'Cancel'
    TabOrder = 4
    OnClick = btDiscardClick
  end
  object Languages: TLangControl
    Language = 'English'
    LanguageManager_Langs = <
      item
        Name = 'English'
        SubIndex = 0
      end>
    translate Owner.Caption
    translate tsGeneral.Caption
    translate tsMore.Caption
    translate lbName.Caption
    translate cbNotify.Caption
    translate rbLight.Caption
    translate rbDark.Caption
    translate rgSize.Caption
    translate rgSize.Items[0]
    translate rgSize.Items[1]
    translate rgSize.Items[2]
    translate lbColour.Caption
    translate cbColour.Items[0]
    translate cbColour.Items[1]
    translate cbColour.Items[2]
    translate lbCity.Caption
    translate lbDay.Caption
    translate lbDays.Items[0]
    translate lbDays.Items[1]
    translate lbDays.Items[2]
    translate lbDays.Items[3]
    translate lbDays.Items[4]
    translate lbNotes.Caption
    translate btAbout.Caption
    translate btLanguage.Caption
    translate btOK.Caption
    translate btDiscard.Caption
    LanguageManager_Names = ''
    LanguageManager_Values = ''
  end
end
