// A form for the caption fit check: the kinds of captions the setup dialog has, with long German
// texts and laid out for them. Its class names its resource (TLONGGERMAN); the check reads it into
// a plain form.
object LongGerman: TLongGerman
  Left = 100
  Top = 100
  BorderIcons = []
  BorderStyle = bsDialog
  Caption = 'Korvane Wendrix '#150' Einrichtung wird abgeschlossen'
  ClientHeight = 330
  ClientWidth = 520
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object btSpeichern: TButton
    Left = 376
    Top = 296
    Width = 136
    Height = 23
    Caption = 'Einstellungen speichern'
    Default = True
    TabOrder = 0
  end
  object Seiten: TPageControl
    Left = 8
    Top = 8
    Width = 504
    Height = 280
    ActivePage = Allgemein
    TabOrder = 2
    object Allgemein: TTabSheet
      BorderWidth = 10
      Caption = 'Allgemeine Einstellungen'
      object Gruppe1: TGroupBox
        Left = 0
        Top = 0
        Width = 476
        Height = 100
        Caption = ' E-Mail-Einstellungen f'#252'r ausgehende Nachrichten '
        TabOrder = 0
        object lbServer: TLabel
          Left = 8
          Top = 24
          Width = 136
          Height = 13
          Caption = 'SMTP-Postausgangsserver:'
        end
        object edServer: TEdit
          Left = 168
          Top = 20
          Width = 298
          Height = 21
          TabOrder = 0
        end
        object lbHinweis: TLabel
          Left = 168
          Top = 48
          Width = 298
          Height = 39
          Caption = 'Wird im Feld '#132'Von'#147' jeder E-Mail verwendet, die Korvane Wendrix an Benutzer und Administratoren verschickt.'
          WordWrap = True
        end
      end
    end
    object Apache: TTabSheet
      BorderWidth = 10
      Caption = 'Apache-Webserver-Konfiguration'
    end
  end
end
