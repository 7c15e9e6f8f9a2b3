[Boolean Function]
VarCount=4
1=1,5-9
0=9-12
*=0
