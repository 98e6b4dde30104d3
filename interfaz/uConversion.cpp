#include "uConversion.h"

namespace {

int ValorDigito(QChar c, int base) {
  const char16_t u = c.unicode();
  int d = -1;
  if (u >= u'0' && u <= u'9')
    d = u - u'0';
  else if (base == 16 && u >= u'a' && u <= u'f')
    d = u - u'a' + 10;
  else if (base == 16 && u >= u'A' && u <= u'F')
    d = u - u'A' + 10;
  return d;
}

bool EsSeparador(QChar c) { return c == u',' || c == u';'; }

}  // namespace

std::optional<std::int32_t> ConvertirEntero(QStringView texto) {
  qsizetype i = 0;
  const qsizetype n = texto.size();
  while (i < n && texto[i] == u' ')
    ++i;
  bool negativo = false;
  if (i < n && (texto[i] == u'+' || texto[i] == u'-')) {
    negativo = texto[i] == u'-';
    ++i;
  }
  int base = 10;
  if (i < n && (texto[i] == u'$' || texto[i] == u'x' || texto[i] == u'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < n && texto[i] == u'0' && (texto[i + 1] == u'x' || texto[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == n)
    return std::nullopt;  // no digit at all
  // The magnitude may reach 2^31 (the least value); one more digit past
  // that bound can never come back into range.
  constexpr std::int64_t kLimite = std::int64_t{1} << 31;
  std::int64_t magnitud = 0;
  for (; i < n; ++i) {
    const int d = ValorDigito(texto[i], base);
    if (d < 0)
      return std::nullopt;
    magnitud = magnitud * base + d;
    if (magnitud > kLimite)
      return std::nullopt;
  }
  if (!negativo && magnitud == kLimite)
    return std::nullopt;
  return static_cast<std::int32_t>(negativo ? -magnitud : magnitud);
}

std::int32_t ExigirEntero(const QString& texto) {
  if (const auto v = ConvertirEntero(texto))
    return *v;
  throw EConversion(QStringLiteral("'%1' no es un valor entero válido.").arg(texto).toStdString());
}

QList<QStringView> ElementosLista(QStringView texto) {
  qsizetype i = 0, fin = texto.size();
  while (i < fin && texto[i] == u' ')
    ++i;
  while (fin > i && texto[fin - 1] == u' ')
    --fin;
  QList<QStringView> elementos;
  while (true) {
    const qsizetype inicio = i;
    while (i < fin && texto[i] != u' ' && !EsSeparador(texto[i]))
      ++i;
    elementos.push_back(texto.sliced(inicio, i - inicio));
    if (i == fin)
      break;
    // One separator: spaces, or a comma or semicolon with any spaces around.
    while (texto[i] == u' ')
      ++i;
    if (EsSeparador(texto[i]))
      for (++i; i < fin && texto[i] == u' ';)
        ++i;
  }
  if (elementos.size() == 1)
    elementos.front() = texto;
  return elementos;
}

std::vector<std::int32_t> ExigirClaves(const QList<QStringView>& elementos) {
  std::vector<std::int32_t> claves;
  claves.reserve(static_cast<std::size_t>(elementos.size()));
  for (qsizetype k = 0; k < elementos.size(); ++k) {
    const QStringView e = elementos[k];
    if (const auto v = ConvertirEntero(e)) {
      claves.push_back(*v);
      continue;
    }
    const QString lugar = QStringLiteral("(elemento %1 de %2).").arg(k + 1).arg(elementos.size());
    // A long piece of pasted text is named by its start.
    const QString nombre = e.size() > 40 ? e.first(40).toString() + QStringLiteral("...") : e.toString();
    throw EConversion((e.isEmpty() ? QStringLiteral("Falta un valor ") + lugar
                                   : QStringLiteral("'%1' no es un valor entero válido %2").arg(nombre, lugar))
                          .toStdString());
  }
  return claves;
}
