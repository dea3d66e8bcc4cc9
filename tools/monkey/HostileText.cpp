#include "tools/monkey/HostileText.h"

#include "tools/monkey/Dice.h"

#include <QStringList>

namespace korvanta::monkey {

QString HostileText(Dice& dice)
{
    static const QStringList kNumbers = {
        "0", "-0", "1", "-1", "0.5", "2", "4", "1e308", "-1e308", "1.7976931348623157e308", "1e309",
        "4.9e-324", "1e-320", "2.2250738585072014e-308", "nan", "NaN", "-nan", "inf", "-inf",
        "infinity", "2147483647", "2147483648", "-2147483648", "4294967296", "9223372036854775807",
        "18446744073709551616", "1e5", "65535", "65536", "32767", "100000", "0x10", "1,5", "1.5.5",
        "+-1", "--1", "1e", "e5", ".", "-", "+", " 1", "1 ", "0000000000000000000000001",
        "3.14159265358979323846264338327950288", "-0.0", "1e-7", "200", "10"};
    static const QStringList kWords = {
        "", " ", "abc", "Ünïcødé", "名前", "😀", "\u202Eevil", "a\tb", "a\nb", "%1%2%n", "%s%s%s",
        "'; DROP TABLE", "\\\\", "../../etc/passwd", "\x01\x02", QString(2, QChar(0)), "\uFFFD", "\u00A0"};
    switch (dice.Below(6)) {
    case 0:
    case 1:
        return dice.Pick(kNumbers);
    case 2:
        return dice.Pick(kWords);
    case 3:  // a number and a word run together
        return dice.Pick(kNumbers) + dice.Pick(kWords);
    case 4: {  // a long run of digits
        const QString digit = QString::number(dice.Below(10));
        return (dice.Chance(50) ? "-" : "") + digit.repeated(dice.Between(20, 5000));
    }
    default:  // a very long run of anything
        return dice.Pick(kWords + kNumbers).repeated(dice.Between(50, 2000));
    }
}

}  // namespace korvanta::monkey
