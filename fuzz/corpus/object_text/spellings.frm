object Form1: 'T x' [Int16(5)] flags 14
  A = Int16(5)
  B = Int32(-5)
  C = Int64(5)
  D = LString('ab'#233 + 'c')
  E = WString('a'#10)
  F = Ident('True')
  G = Single(1.5)
  H = Single($7FC00001)
  I = Date(45000.25)
  J = Currency(-12.34)
  K = Extended($3FFF8000000000000001)
  L = 1.5e+20
  'end' = ['a b', c]
  M = (1 nil (Int16(2) True) {0A0B})
  O = Null
  N = <
    item [Int32(7)]
      X = -9223372036854775808
    end>
  inherited B: TButton [3]
  end
end
{0102}
