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
    const auto fila = [](const char* nombre, const char* texto, bool valido, int valor) {
      QTest::newRow(nombre) << QString::fromUtf8(texto) << valido << valor;
    };
    fila("decimal", "123", true, 123);
    fila("ceros delante", "000042", true, 42);
    fila("blancos delante", "   7", true, 7);
    fila("signo mas", "+7", true, 7);
    fila("negativo", "-7", true, -7);
    fila("dolar", "$1F", true, 31);
    fila("x minuscula", "x1f", true, 31);
    fila("0x", "0x1F", true, 31);
    fila("0X", "0X1f", true, 31);
    fila("hex negativo", "-$10", true, -16);
    fila("maximo", "2147483647", true, 2147483647);
    fila("minimo", "-2147483648", true, -2147483647 - 1);
    fila("hex maximo", "$7FFFFFFF", true, 2147483647);
    fila("hex minimo", "-$80000000", true, -2147483647 - 1);

    fila("vacio", "", false, 0);
    fila("solo blancos", "   ", false, 0);
    fila("blanco detras", "12 ", false, 0);
    fila("blanco en medio", "1 2", false, 0);
    fila("solo signo", "-", false, 0);
    fila("dos signos", "+-1", false, 0);
    fila("signo tras blanco tras signo", "- 1", false, 0);
    fila("letra detras", "12a", false, 0);
    fila("hex sin digitos", "$", false, 0);
    fila("0x sin digitos", "0x", false, 0);
    fila("hex con letra mala", "$1G", false, 0);
    fila("hex en decimal", "1F", false, 0);
    fila("signo tras prefijo", "$-1", false, 0);
    fila("uno mas del maximo", "2147483648", false, 0);
    fila("uno menos del minimo", "-2147483649", false, 0);
    fila("hex fuera", "$80000000", false, 0);
    fila("hex todo unos", "$FFFFFFFF", false, 0);
    fila("enorme", "99999999999999999999999", false, 0);
    fila("digito arabe", "\u0663", false, 0);
    fila("tabulador", "\t1", false, 0);
  }
  void Valores() {
    QFETCH(QString, texto);
    QFETCH(bool, valido);
    QFETCH(int, valor);
    const auto v = ConvertirEntero(texto);
    QCOMPARE(v.has_value(), valido);
    if (valido)
      QCOMPARE(*v, valor);
  }

  void MuchosCerosNoDesbordan() {
    const QString texto = QString(5000, QLatin1Char('0')) + QStringLiteral("9");
    QCOMPARE(ConvertirEntero(texto), std::optional<std::int32_t>(9));
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
