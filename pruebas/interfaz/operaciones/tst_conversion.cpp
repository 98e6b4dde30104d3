// Typed keys: what converts to a 32-bit key and what is refused.
#include "uConversion.h"

#include <QTest>

class PruebasConversion : public QObject {
  Q_OBJECT

private Q_SLOTS:
  void Valores_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<int>("valor");
    const auto fila = [](const char* nombre, const QString& texto, bool valido, int valor) {
      QTest::newRow(nombre) << texto << valido << valor;
    };
    fila("ceros y blancos delante", "   000042", true, 42);
    fila("signo mas", "+7", true, 7);
    fila("negativo", "-7", true, -7);
    fila("dolar", "$1F", true, 31);
    fila("x minuscula", "x1f", true, 31);
    fila("0x", "0x1F", true, 31);
    fila("0X", "0X1f", true, 31);
    fila("hex negativo", "-$10", true, -16);
    fila("maximo", "2147483647", true, 2147483647);
    fila("minimo", "-2147483648", true, -2147483647 - 1);
    fila("hex minimo", "-$80000000", true, -2147483647 - 1);
    // Leading zeros never count towards the overflow bound.
    fila("muchos ceros", QString(5000, u'0') + u'9', true, 9);

    fila("vacio", "", false, 0);
    fila("solo signo", "-", false, 0);
    fila("blanco detras", "12 ", false, 0);
    fila("dos signos", "+-1", false, 0);
    fila("letra detras", "12a", false, 0);
    fila("hex sin digitos", "$", false, 0);
    fila("0x sin digitos", "0x", false, 0);
    fila("hex con letra mala", "$1G", false, 0);
    fila("hex en decimal", "1F", false, 0);
    fila("signo tras prefijo", "$-1", false, 0);
    fila("uno mas del maximo", "2147483648", false, 0);
    fila("uno menos del minimo", "-2147483649", false, 0);
    // Read as 32 unsigned bits it would come back as -1.
    fila("hex todo unos", "$FFFFFFFF", false, 0);
    fila("enorme", "99999999999999999999999", false, 0);
    fila("digito arabe", QStringLiteral("\u0663"), false, 0);
    fila("tabulador", "\t1", false, 0);
  }
  void Valores() {
    QFETCH(QString, texto);
    QFETCH(bool, valido);
    QFETCH(int, valor);
    QCOMPARE(ConvertirEntero(texto), valido ? std::optional<std::int32_t>(valor) : std::nullopt);
  }

  void ExigirLanzaConTextoEnEspanol() {
    QCOMPARE(ExigirEntero(QStringLiteral("$10")), 16);
    try {
      ExigirEntero(QStringLiteral("cien"));
      QFAIL("no error");
    } catch (const EConversion& e) {
      QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'cien' no es un valor entero válido."));
    }
  }
};

QTEST_APPLESS_MAIN(PruebasConversion)
#include "tst_conversion.moc"
