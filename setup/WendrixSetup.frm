// The setup dialog: its layout and its English texts. The language control below marks the
// texts that are translated; their translations live in po/<language>.po, and the build merges
// them into the binary form stream that the program embeds.
object frmWendrixSetup: TfrmWendrixSetup
  Left = 512
  Top = 242
  BorderIcons = []
  BorderStyle = bsDialog
  //. The window's title; the dots stand for the product's name before it.
  Caption = '... finalizing setup'
  ClientHeight = 426
  ClientWidth = 452
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Icon.Data = {
    0000010002002020100001000400E80200002600000010101000010004002801
    00000E0300002800000020000000400000000100040000000000000000000000
    0000000000001000000000000000000000000000800000800000008080008000
    00008000800080800000C0C0C000808080000000FF0000FF000000FFFF00FF00
    0000FF00FF00FFFF0000FFFFFF00000000000000000000000000000000000000
    0000000444444444400000000000000000004444CCCEECCC4444000000000000
    00044CCCCCCEECCCCCC4400000000BBBBBBBBBBBBBBBBBBBBBBBBBBBBBB00BBB
    BBBBBBBB0BBBBBBB0BBBBBBBBBB00BBBBBBBBBB0B0BBBBB0B0BBBBBBBBB00BBB
    BBBBBB0BBB0BBB0BBB0BBBBBBBB00BBBBBBBB0BBBBB0B0BBBBB0BBBBBBB00BBB
    BBBBBBBBBBBBBBBBBBBBBBBBBBB00BBBBBBB0BBBBBBB0BBBBBBBBBBBBBB00BBB
    BBBBBBBBBBBBBBBBBBBBBBBBBBB004CCCCCCCC2222222222CCCCCCCCCC4004CC
    CCCCC22222222222CCCCCCCCCC4004CCCCCCC22222222222CCCCCCCCCC4004EE
    EEEEE22222222222EEEEEEEEEE4004EEEEEEEE2222222222EEEEEEEEEE4004CC
    CCCCCC2222222222CCCCCCCCCC4004CCCCCCCCC222222222CCCCCCCCCC4004CC
    CCCCCCCC22222222CCCCCCCCCC40044CCCCCCCCCC2222222CCCCCCCCC440004C
    CCCCCCCCCCC22222CCCCCCCCC400004CCCCCCCCCCCCEECCCCCCCCCCCC4000044
    CCCCCCCCCCCEECCCCCCCCCCC440000044CCCCCCCCCCEECCCCCCCCCC440000000
    44CCCCCCCCCEECCCCCCCCC4400000000044CCCCCCCCEECCCCCCCC44000000000
    0044CCCCCCCEECCCCCCC44000000000000044CCCCCCEECCCCCC4400000000000
    00004444CCCEECCC444400000000000000000004444444444000000000000000
    0000000000000000000000000000FFFFFFFFFFE007FFFF0000FFFE00007F8000
    0001800000018000000180000001800000018000000180000001800000018000
    0001800000018000000180000001800000018000000180000001800000018000
    0001C0000003C0000003C0000003E0000007F000000FF800001FFC00003FFE00
    007FFF0000FFFFE007FFFFFFFFFF280000001000000020000000010004000000
    0000000000000000000000000000100000000000000000000000000080000080
    000000808000800000008000800080800000C0C0C000808080000000FF0000FF
    000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0000000000000000000000
    4444444400000BBBBBBBBBBBBBB00BBBB000B000BBB00BBB0BBB0BBBBBB00BBB
    BBBBBBBBBBB004CCC22222CCCC4004EEE22222EEEE4004EEE22222EEEE4004CC
    CC2222CCCC4004CCCCC222CCCC40044CCCCEECCCC4400044CCCEECCC44000004
    4CCEECC4400000004444444400000000000000000000FFFF0000F00F00008001
    0000800100008001000080010000800100008001000080010000800100008001
    000080010000C0030000E0070000F00F0000FFFF0000}
  OnActivate = FormActivate
  PixelsPerInch = 96
  TextHeight = 13
  object btOk: TButton
    Left = 368
    Top = 396
    Width = 75
    Height = 23
    Anchors = [akRight, akBottom]
    Caption = 'Save'
    Default = True
    TabOrder = 0
    OnClick = btOkClick
  end
  object btCancel: TButton
    Left = 288
    Top = 396
    Width = 75
    Height = 23
    Anchors = [akRight, akBottom]
    Caption = 'Cancel'
    TabOrder = 1
    OnClick = btCancelClick
  end
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 434
    Height = 381
    ActivePage = TabSheet1
    Anchors = [akLeft, akTop, akRight, akBottom]
    TabOrder = 2
    object TabSheet1: TTabSheet
      BorderWidth = 10
      //. The caption of the first page's tab: the product's name.
      Caption = 'Korvane Wendrix'
      object Image1: TImage
        Left = 0
        Top = 0
        Width = 32
        Height = 32
        Picture.Data = {
          055449636F6E0000010001002020100001000400E80200001600000028000000
          2000000040000000010004000000000000000000000000000000000010000000
          0000000000000000000080000080000000808000800000008000800080800000
          C0C0C000808080000000FF0000FF000000FFFF00FF000000FF00FF00FFFF0000
          FFFFFF0000000000000000000000000000000000000000000004444444444000
          00000000000000004444CCCEECCC444400000000000000044CCCCCCEECCCCCC4
          400000000BBBBBBBBBBBBBBBBBBBBBBBBBBBBBB00BBBBBBBBBBB0BBBBBBB0BBB
          BBBBBBB00BBBBBBBBBB0B0BBBBB0B0BBBBBBBBB00BBBBBBBBB0BBB0BBB0BBB0B
          BBBBBBB00BBBBBBBB0BBBBB0B0BBBBB0BBBBBBB00BBBBBBBBBBBBBBBBBBBBBBB
          BBBBBBB00BBBBBBB0BBBBBBB0BBBBBBBBBBBBBB00BBBBBBBBBBBBBBBBBBBBBBB
          BBBBBBB004CCCCCCCC2222222222CCCCCCCCCC4004CCCCCCC22222222222CCCC
          CCCCCC4004CCCCCCC22222222222CCCCCCCCCC4004EEEEEEE22222222222EEEE
          EEEEEE4004EEEEEEEE2222222222EEEEEEEEEE4004CCCCCCCC2222222222CCCC
          CCCCCC4004CCCCCCCCC222222222CCCCCCCCCC4004CCCCCCCCCC22222222CCCC
          CCCCCC40044CCCCCCCCCC2222222CCCCCCCCC440004CCCCCCCCCCCC22222CCCC
          CCCCC400004CCCCCCCCCCCCEECCCCCCCCCCCC4000044CCCCCCCCCCCEECCCCCCC
          CCCC440000044CCCCCCCCCCEECCCCCCCCCC44000000044CCCCCCCCCEECCCCCCC
          CC4400000000044CCCCCCCCEECCCCCCCC440000000000044CCCCCCCEECCCCCCC
          44000000000000044CCCCCCEECCCCCC440000000000000004444CCCEECCC4444
          0000000000000000000444444444400000000000000000000000000000000000
          00000000FFFFFFFFFFE007FFFF0000FFFE00007F800000018000000180000001
          8000000180000001800000018000000180000001800000018000000180000001
          800000018000000180000001800000018000000180000001C0000003C0000003
          C0000003E0000007F000000FF800001FFC00003FFE00007FFF0000FFFFE007FF
          FFFFFFFF}
      end
      object Label3: TLabel
        Left = 44
        Top = 10
        Width = 181
        Height = 13
        //. The heading of the first page, beside the logo.
        Caption = 'Korvane Wendrix Configuration'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object GroupBox2: TGroupBox
        Left = 0
        Top = 40
        Width = 404
        Height = 51
        //. The title of a frame; keep the blanks at both ends. ":Port" stands for a
        //. port number the administrator may add after the server name.
        Caption = ' Domain Name / Server Name [:Port] '
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clActiveCaption
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        object Label2: TLabel
          Left = 6
          Top = 24
          Width = 79
          Height = 13
          //. Shown in front of the field for the server's name, as the start of the
          //. web address that the name completes. Keep "http://"; "MyServer" stands for
          //. the server's name and may be translated.
          Caption = 'http://MyServer:'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
        end
        object edDomainName: TEdit
          Left = 88
          Top = 20
          Width = 304
          Height = 21
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          TabOrder = 0
        end
      end
      object GroupBox3: TGroupBox
        Left = 0
        Top = 98
        Width = 404
        Height = 113
        //. The title of a frame; keep the blanks at both ends.
        Caption = ' Mail Settings '
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clActiveCaption
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 1
        object Label1: TLabel
          Left = 6
          Top = 24
          Width = 67
          Height = 13
          Caption = 'SMTP Server:'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
        end
        object Label4: TLabel
          Left = 6
          Top = 54
          Width = 70
          Height = 13
          Caption = 'EMail Address:'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          WordWrap = True
        end
        object Label7: TLabel
          Left = 88
          Top = 78
          Width = 206
          Height = 26
          //. Explains the e-mail address field above it; wraps over two lines.
          Caption = 'Used in the "From" field of every email sent by Korvane Wendrix.'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          WordWrap = True
        end
        object edSMTPServer: TEdit
          Left = 88
          Top = 20
          Width = 304
          Height = 21
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          TabOrder = 0
        end
        object edEmailFrom: TEdit
          Left = 88
          Top = 52
          Width = 304
          Height = 21
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          TabOrder = 1
        end
      end
      object GroupBox4: TGroupBox
        Left = 0
        Top = 220
        Width = 404
        Height = 51
        //. The title of a frame; keep the blanks at both ends.
        Caption = ' Your Company Logo '
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clActiveCaption
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 2
        object Label5: TLabel
          Left = 6
          Top = 24
          Width = 57
          Height = 13
          Caption = 'HTTP Path:'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
        end
        object edLogo: TEdit
          Left = 88
          Top = 20
          Width = 304
          Height = 21
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          TabOrder = 0
          //. An address on the web server, not a text to translate: keep it unless the
          //. logo of your language lies elsewhere.
          Text = '/wendrix/images/normal/YourLogo.gif'
        end
      end
      object Panel1: TPanel
        Left = 0
        Top = 278
        Width = 404
        Height = 55
        BevelOuter = bvLowered
        Color = 13434879
        ParentColor = False
        TabOrder = 3
        object Label8: TLabel
          Left = 6
          Top = 6
          Width = 393
          Height = 45
          AutoSize = False
          Caption = 'To complete the Korvane Wendrix setup, please provide the above information. If you are unsure, leave the default settings. They can be manually changed later in the Manager Menu | System | Configuration.'
          Color = 13434879
          ParentColor = False
          WordWrap = True
        end
      end
    end
    object tsApache: TTabSheet
      BorderWidth = 10
      Caption = 'Apache Web Server'
      object Label6: TLabel
        Left = 44
        Top = 10
        Width = 102
        Height = 13
        Caption = 'Apache Configuration'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object Image2: TImage
        Left = 0
        Top = 0
        Width = 32
        Height = 32
        Picture.Data = {
          055449636F6E0000010001002020100001000400E80200001600000028000000
          2000000040000000010004000000000000000000000000000000000010000000
          0000000000000000000080000080000000808000800000008000800080800000
          C0C0C000808080000000FF0000FF000000FFFF00FF000000FF00FF00FFFF0000
          FFFFFF0000000000000000000000000000000000000000000000000000000000
          000000000000000000000000000000000000000000000777777777777775D100
          0000000000000777777777777775D10000000000000007777777777777705D10
          000000000000078FF8FF8FF8FF705D10000000000000077A7277777777705D10
          000000000000078888888888887005D1000000000000077777777777777005D1
          000000000000077777777777777005D10000000000000777777777777770005D
          100000000000078FF8FF8FF8FF70005D100000000000077A727777777770005D
          10000000000007888888888888700005D1000000000007777777777777700005
          D1000000000007777777777777700005D1000000000007777777777777700000
          5D1000000000078FF8FF8FF8FF7000005D1000000000077A7977777777700000
          5D10000000000788888888888870000005D10000000007777777777777700000
          05D1000000000777777777777770000005D10000000007777777777777700000
          005D10000000078FF8FF8FF8FF700000005D10000000077A7277777777700000
          005D10000000078888888888887000000005D100000007777777777777700000
          0005D1000000077777777777777000000005D100000000000000000000000000
          0000000000000000000000000000000000000000000000000000000000000000
          00000000FFFFFFFFFFFFFFFFF0000FFFF00003FFF00003FFF00001FFF00001FF
          F00001FFF00008FFF00008FFF00008FFF0000C7FF0000C7FF0000C7FF0000E3F
          F0000E3FF0000E3FF0000F1FF0000F1FF0000F1FF0000F8FF0000F8FF0000F8F
          F0000FC7F0000FC7F0000FC7F0000FE3F0000FE3F0000FE3F0000FFFFFFFFFFF
          FFFFFFFF}
      end
      object GroupBox1: TGroupBox
        Left = 0
        Top = 46
        Width = 404
        Height = 85
        //. The title of a frame around the path field. The blanks at both ends keep
        //. the title apart from the frame's line: keep them.
        Caption = ' Path to Apache configuration file (HTTPD.CONF)  '
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clActiveCaption
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        object edHTTPDConf: TEdit
          Left = 8
          Top = 20
          Width = 385
          Height = 21
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clWindowText
          Font.Height = -11
          Font.Name = 'MS Sans Serif'
          Font.Style = []
          ParentFont = False
          TabOrder = 0
          //. The path the dialog offers when Apache is installed but its configuration
          //. file was not found. A real Windows path: change it only where that
          //. language's Windows names the Program Files folder otherwise.
          Text = 'C:\Program Files\Apache Group\Apache\conf\httpd.conf'
        end
        object Button1: TButton
          Left = 319
          Top = 50
          Width = 74
          Height = 23
          Caption = 'Browse...'
          TabOrder = 1
          OnClick = Button1Click
        end
      end
    end
  end
  object OD: TOpenDialog
    DefaultExt = 'conf'
    Filter = 'Apache Config File|httpd.conf'
    InitialDir = 'C:\Program Files\Apache Group\Apache\conf'
    Left = 16
    Top = 392
  end
  object LangControl: TLangControl
    Language = 'English'
    Left = 48
    Top = 392
    LanguageManager_Langs = <
      item
        Name = 'English'
        SubIndex = 0
      end>
    translate btCancel.Caption
    translate btOk.Caption
    translate Button1.Caption
    translate edHTTPDConf.Text
    translate edLogo.Text
    translate Owner.Caption
    translate GroupBox1.Caption
    translate GroupBox2.Caption
    translate GroupBox3.Caption
    translate GroupBox4.Caption
    translate Label1.Caption
    translate Label2.Caption
    translate Label3.Caption
    translate Label4.Caption
    translate Label5.Caption
    translate Label6.Caption
    translate Label7.Caption
    translate TabSheet1.Caption
    translate tsApache.Caption
    LanguageManager_Names = ''
    LanguageManager_Values = ''
  end
end
