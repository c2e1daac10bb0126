// The example's settings dialog: every standard control, its layout and English texts. The
// language control names the texts that are translated, the lines of the lists among them;
// po/settings-de.po holds their German, which the build merges into the form.
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
    LanguageManager_Comps = <
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = Owner
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = tsGeneral
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = tsMore
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = lbName
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = cbNotify
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = rbLight
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = rbDark
      end
      item
        Items = <
          item
            Name = 'Items'
            Items = <>
            Props = <
              item
                Name = 'Items[0]'
                Kind = tkLString
              end
              item
                Name = 'Items[1]'
                Kind = tkLString
              end
              item
                Name = 'Items[2]'
                Kind = tkLString
              end>
            SubType = [stTStringsObject]
          end>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = rgSize
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = lbColour
      end
      item
        Items = <
          item
            Name = 'Items'
            Items = <>
            Props = <
              item
                Name = 'Items[0]'
                Kind = tkLString
              end
              item
                Name = 'Items[1]'
                Kind = tkLString
              end
              item
                Name = 'Items[2]'
                Kind = tkLString
              end>
            SubType = [stTStringsObject]
          end>
        Props = <>
        SubType = [stPubPropObject]
        Ref = cbColour
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = lbCity
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = lbDay
      end
      item
        Items = <
          item
            Name = 'Items'
            Items = <>
            Props = <
              item
                Name = 'Items[0]'
                Kind = tkLString
              end
              item
                Name = 'Items[1]'
                Kind = tkLString
              end
              item
                Name = 'Items[2]'
                Kind = tkLString
              end
              item
                Name = 'Items[3]'
                Kind = tkLString
              end
              item
                Name = 'Items[4]'
                Kind = tkLString
              end>
            SubType = [stTStringsObject]
          end>
        Props = <>
        SubType = [stPubPropObject]
        Ref = lbDays
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = lbNotes
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = btAbout
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = btLanguage
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = btOK
      end
      item
        Items = <>
        Props = <
          item
            Name = 'Caption'
            Kind = tkLString
          end>
        SubType = [stPubPropObject]
        Ref = btDiscard
      end>
    LanguageManager_Names = ''
    LanguageManager_Values = ''
  end
end
