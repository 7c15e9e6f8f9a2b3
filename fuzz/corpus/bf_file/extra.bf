[Map]
x=1
[boolean function]
varcount=+8
1=1,2,3-9,x
