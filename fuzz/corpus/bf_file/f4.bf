[Boolean Function]
VarCount=4
1=0-3,7
0=8,9
*=15
