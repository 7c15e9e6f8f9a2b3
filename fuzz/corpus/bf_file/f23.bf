[Boolean Function]
VarCount=23
1=0-100,8388607
0=5
*=
