// Typed keys: what converts to a 32-bit key and what is refused.
#include "uConversion.h"

#include <QTest>

class PruebasConversion : public QObject {
  Q_OBJECT

private Q_SLOTS:
  void Valores() {
    const std::pair<QString, std::optional<std::int32_t>> casos[] = {
        {"   000042", 42}, {"+7", 7}, {"-7", -7}, {"$1F", 31}, {"x1f", 31}, {"0x1F", 31}, {"0X1f", 31},
        {"-$10", -16}, {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"-$80000000", INT32_MIN},
        {"$7FFFFFFF", INT32_MAX}, {"$aA", 170}, {QString(5000, u'0') + u'9', 9},  // leading zeros never overflow
        {"", {}}, {"-", {}}, {"12 ", {}}, {"+-1", {}}, {"12a", {}}, {"$", {}}, {"0x", {}}, {"$1G", {}},
        {"1F", {}}, {"$-1", {}}, {"2147483648", {}}, {"-2147483649", {}}, {"$80000000", {}},
        {"$FFFFFFFF", {}}, {"99999999999999999999999", {}}, {QStringLiteral("\u0663"), {}}, {"\t1", {}}};
    for (const auto& [texto, valor] : casos)
      QVERIFY2(ConvertirEntero(texto) == valor, qPrintable(texto.left(20)));
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
