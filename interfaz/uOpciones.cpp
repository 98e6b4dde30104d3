#include "uOpciones.h"

#include <algorithm>

namespace {

// One stored value: its name and where it lives in the record.
enum class TTipoValor { Entero, Booleano, Cadena, Color };

struct TValor {
  const char* Nombre;
  TTipoValor Tipo;
  int TOpciones::*Entero = nullptr;
  bool TFuente::*Booleano = nullptr;
  TColor TOpciones::*Color = nullptr;
};

// The stored order, which is also the reading order.
const TValor kValores[] = {
    {"TipoGraf", TTipoValor::Entero, &TOpciones::TipoGraf},
    {"TipoDist", TTipoValor::Entero, &TOpciones::TipoDist},
    {"TipoDisp", TTipoValor::Entero, &TOpciones::TipoDisp},
    {"NomFnt", TTipoValor::Cadena},
    {"TamFnt", TTipoValor::Entero},
    {"ColFnt", TTipoValor::Color},
    {"BoldFnt", TTipoValor::Booleano, nullptr, &TFuente::Negrita},
    {"CursFnt", TTipoValor::Booleano, nullptr, &TFuente::Cursiva},
    {"ColFon", TTipoValor::Color, nullptr, nullptr, &TOpciones::ColFon},
    {"ColNod", TTipoValor::Color, nullptr, nullptr, &TOpciones::ColNod},
    {"NodRad", TTipoValor::Entero, &TOpciones::NodRad},
    {"NodSx", TTipoValor::Entero, &TOpciones::NodSx},
    {"NodSy", TTipoValor::Entero, &TOpciones::NodSy},
    {"ValMax", TTipoValor::Entero, &TOpciones::ValMax},
    {"PausaAnim", TTipoValor::Entero, &TOpciones::PausaAnim},
    {"PausaPres", TTipoValor::Entero, &TOpciones::PausaPres},
    {"PausaNumEtap", TTipoValor::Entero, &TOpciones::PausaNumEtap},
};

// Read and written after the seventeen values, in this order.
const QString kCarpetaFicheros = QStringLiteral("CarpetaFicheros");
// The step window's place and size, then its speed.
const QString kLugarPaso[] = {QStringLiteral("PasoX"), QStringLiteral("PasoY"), QStringLiteral("PasoAncho"),
                              QStringLiteral("PasoAlto")};
const QString kVelocidadPaso = QStringLiteral("PasoVelocidad");
const QString kVerHistoria = QStringLiteral("VerHistorial");
const QString kVerPseudocodigo = QStringLiteral("VerPseudocodigo");
const QString kAlgoritmos = QStringLiteral("Algoritmos");

// The integer fields that are not members of TOpciones itself.
int* EnteroDe(TOpciones& o, const TValor& v) {
  if (v.Entero)
    return &(o.*v.Entero);
  return &o.Fuente.Tam;  // TamFnt, the only other integer
}

TColor* ColorDe(TOpciones& o, const TValor& v) {
  if (v.Color)
    return &(o.*v.Color);
  return &o.Fuente.Color;  // ColFnt
}

// Reads one value over the record; false when the reading must stop here.
bool Leer(const IAlmacenOpciones& almacen, const TValor& v, TOpciones& o) {
  const QString nombre = QString::fromLatin1(v.Nombre);
  if (!almacen.Existe(nombre))
    return true;
  if (v.Tipo == TTipoValor::Cadena) {
    const auto s = almacen.LeerCadena(nombre);
    if (!s)
      return false;
    o.Fuente.Nombre = *s;
    return true;
  }
  const auto n = almacen.LeerEntero(nombre);
  if (!n)
    return false;
  switch (v.Tipo) {
    case TTipoValor::Entero: *EnteroDe(o, v) = *n; break;
    case TTipoValor::Booleano: o.Fuente.*v.Booleano = *n != 0; break;
    case TTipoValor::Color: *ColorDe(o, v) = static_cast<TColor>(*n); break;
    case TTipoValor::Cadena: break;
  }
  return true;
}

}  // namespace

TAjustesPresentacion TOpciones::Presentacion(TAjustesPresentacion base) const {
  base.TipoGraf = TipoGraf;
  base.TipoDist = TipoDist;
  base.TipoDisp = TipoDisp;
  base.NodoRad = NodRad;
  base.NodoSx = NodSx;
  base.NodoSy = NodSy;
  base.ColFon = ColFon;
  base.ColNod = ColNod;
  base.Fuente = Fuente;
  return base;
}

void TOpciones::PonerPresentacion(const TAjustesPresentacion& a) {
  TipoGraf = a.TipoGraf;
  TipoDist = a.TipoDist;
  TipoDisp = a.TipoDisp;
  NodRad = a.NodoRad;
  NodSx = a.NodoSx;
  NodSy = a.NodoSy;
  ColFon = a.ColFon;
  ColNod = a.ColNod;
  Fuente = a.Fuente;
}

TOpciones Acotar(TOpciones o) {
  const auto indice = [](int i, int n) { return i >= 0 && i < n ? i : 0; };
  o.TipoGraf = indice(o.TipoGraf, 3);
  o.TipoDist = indice(o.TipoDist, 3);
  o.TipoDisp = indice(o.TipoDisp, 2);
  o.Algoritmos = indice(o.Algoritmos, 2);
  o.Fuente.Tam = std::clamp(o.Fuente.Tam, Rangos::TamFntMin, Rangos::TamFntMax);
  o.Fuente.Color &= 0x00FFFFFF;
  if (o.Fuente.Nombre.trimmed().isEmpty())
    o.Fuente.Nombre = TFuente{}.Nombre;
  o.ColFon &= 0x00FFFFFF;
  o.ColNod &= 0x00FFFFFF;
  o.NodRad = std::clamp(o.NodRad, Rangos::RadioMin, Rangos::RadioMax);
  o.NodSx = std::clamp(o.NodSx, Rangos::SepMin, Rangos::SepMax);
  o.NodSy = std::clamp(o.NodSy, Rangos::SepMin, Rangos::SepMax);
  o.PausaAnim = std::clamp(o.PausaAnim, 0, Rangos::PausaAnimMax);
  o.PausaPres = std::clamp(o.PausaPres, 0, Rangos::PausaPresMax);
  o.PausaNumEtap = std::clamp(o.PausaNumEtap, Rangos::EtapasMin, Rangos::EtapasMax);
  if (!o.LugarPaso.isNull()) {
    const auto coordenada = [](int c) { return std::clamp(c, -Rangos::CoordenadaMax, Rangos::CoordenadaMax); };
    const auto tam = [](int t) { return std::clamp(t, Rangos::TamPasoMin, Rangos::TamPasoMax); };
    o.LugarPaso = QRect(coordenada(o.LugarPaso.x()), coordenada(o.LugarPaso.y()), tam(o.LugarPaso.width()),
                        tam(o.LugarPaso.height()));
  }
  o.VelocidadPaso = std::clamp(o.VelocidadPaso, Rangos::VelocidadMin, Rangos::VelocidadMax);
  return o;
}

TOpciones LeerOpciones(IAlmacenOpciones& almacen) {
  TOpciones o;
  if (!almacen.Abrir())
    return o;
  bool seguir = true;
  for (const TValor& v : kValores)
    if (!(seguir = Leer(almacen, v, o)))
      break;
  if (seguir && almacen.Existe(kCarpetaFicheros)) {
    const auto carpeta = almacen.LeerCadena(kCarpetaFicheros);
    o.CarpetaFicheros = carpeta.value_or(QString());
    seguir = carpeta.has_value();
  }
  // The place counts only whole: the four values, all of them integers.
  int lugar[4] = {};
  int leidos = 0;
  for (const QString& nombre : kLugarPaso) {
    if (!seguir || !almacen.Existe(nombre))
      continue;
    const auto n = almacen.LeerEntero(nombre);
    seguir = n.has_value();
    if (n)
      lugar[leidos++] = *n;
  }
  if (leidos == 4)
    o.LugarPaso = QRect(lugar[0], lugar[1], std::max(1, lugar[2]), std::max(1, lugar[3]));
  if (seguir && almacen.Existe(kVelocidadPaso))
    o.VelocidadPaso = almacen.LeerEntero(kVelocidadPaso).value_or(o.VelocidadPaso);
  if (seguir && almacen.Existe(kVerHistoria)) {
    const auto ver = almacen.LeerEntero(kVerHistoria);
    o.VerHistoria = ver.value_or(0) != 0;
    seguir = ver.has_value();
  }
  if (seguir && almacen.Existe(kVerPseudocodigo)) {
    const auto ver = almacen.LeerEntero(kVerPseudocodigo);
    o.VerPseudocodigo = ver.value_or(1) != 0;
    seguir = ver.has_value();
  }
  if (seguir && almacen.Existe(kAlgoritmos))
    o.Algoritmos = almacen.LeerEntero(kAlgoritmos).value_or(0);
  almacen.Cerrar();
  return Acotar(o);
}

bool GuardarOpciones(IAlmacenOpciones& almacen, const TOpciones& o) {
  if (!almacen.Abrir())
    return false;
  TOpciones copia = o;
  for (const TValor& v : kValores) {
    const QString nombre = QString::fromLatin1(v.Nombre);
    switch (v.Tipo) {
      case TTipoValor::Cadena: almacen.EscribirCadena(nombre, o.Fuente.Nombre); break;
      case TTipoValor::Entero: almacen.EscribirEntero(nombre, *EnteroDe(copia, v)); break;
      case TTipoValor::Booleano: almacen.EscribirEntero(nombre, o.Fuente.*v.Booleano ? 1 : 0); break;
      case TTipoValor::Color:
        almacen.EscribirEntero(nombre, static_cast<std::int32_t>(*ColorDe(copia, v)));
        break;
    }
  }
  if (!o.CarpetaFicheros.isEmpty())
    almacen.EscribirCadena(kCarpetaFicheros, o.CarpetaFicheros);
  if (!o.LugarPaso.isNull()) {
    const int lugar[] = {o.LugarPaso.x(), o.LugarPaso.y(), o.LugarPaso.width(), o.LugarPaso.height()};
    for (int i = 0; i < 4; ++i)
      almacen.EscribirEntero(kLugarPaso[i], lugar[i]);
  }
  almacen.EscribirEntero(kVelocidadPaso, o.VelocidadPaso);
  almacen.EscribirEntero(kVerHistoria, o.VerHistoria ? 1 : 0);
  almacen.EscribirEntero(kVerPseudocodigo, o.VerPseudocodigo ? 1 : 0);
  almacen.EscribirEntero(kAlgoritmos, o.Algoritmos);
  return almacen.Cerrar();
}
